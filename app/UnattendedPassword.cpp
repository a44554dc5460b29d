#include "app/UnattendedPassword.h"

#include <fstream>

#include "support/TextConvert.h"
#include "support/platform/EnvironmentVariable.h"
#include "support/platform/FileSystemPath.h"

namespace {

constexpr wchar_t kPasswordVariable[] = L"LARKHOLM_PASSWORD";
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

std::optional<std::wstring> ReadUnattendedPassword(const std::optional<std::wstring>& passwordFile,
                                                   std::wstring& problem) {
    const std::optional<std::wstring> fromEnvironment = TakeEnvironmentVariable(kPasswordVariable);
    if (!passwordFile) {
        if (!fromEnvironment) problem = L"No password: give /PASSWORDFILE= or set LARKHOLM_PASSWORD";
        return fromEnvironment;
    }
    std::ifstream in(PathFromWide(*passwordFile), std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        problem = L"The password file " + *passwordFile + L" cannot be read";
        return std::nullopt;
    }
    if (line.rfind(kUtf8ByteOrderMark, 0) == 0) line.erase(0, sizeof kUtf8ByteOrderMark - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
        problem = L"The password file " + *passwordFile + L" holds no password on its first line";
        return std::nullopt;
    }
    return Utf8ToWide(line);
}
