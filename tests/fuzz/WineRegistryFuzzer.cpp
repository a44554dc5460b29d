// Any bytes as a registry hive: parsing and look-ups must neither crash nor hang.
#include <cstddef>
#include <cstdint>

#include "support/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto hive = WineRegistry::Parse({reinterpret_cast<const char*>(data), size});
    hive.HasKey(L"Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client");
    hive.ReadString(L"Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client", L"Version");
    hive.ReadString(L"a", L"");
    return 0;
}
