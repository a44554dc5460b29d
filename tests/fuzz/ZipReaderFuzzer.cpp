// Any bytes as a package archive: open it, read every record, extract every item the way package
// extraction does. Nothing may crash, hang or land outside the extraction folder, and the folder
// may hold only plain folders and files.
//
// The reader opens archives by path, so each input is written to a file in a folder of this
// process's own, which is emptied after every input and removed at exit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "install/ExtractPackage.h"
#include "install/ZipReader.h"
#include "support/TextConvert.h"

namespace {

namespace fs = std::filesystem;

// A record count beyond this is not looked at item by item: every item costs a file.
constexpr std::int32_t kMaxItems = 4096;

class Workspace {
public:
    Workspace() {
        std::error_code error;
        const char* shm = "/dev/shm";  // memory-backed where there is one: a file per input is cheap
        const fs::path base = fs::is_directory(shm, error) ? fs::path(shm) : fs::temp_directory_path(error);
        root = base / ("larkholm-zip-fuzz-" + std::to_string(std::random_device()()));
        fs::create_directories(root, error);
        archive = root / "input.zip";
        output = root / "out";
    }
    ~Workspace() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    fs::path root;
    fs::path archive;
    fs::path output;
};

Workspace& Work() {
    static Workspace workspace;
    return workspace;
}

// The root holds the input and the extraction folder, nothing else; below the folder only plain
// folders and files.
void CheckConfined(const Workspace& work) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(work.root, error))
        if (entry.path() != work.archive && entry.path() != work.output) std::abort();
    if (!fs::exists(work.output, error)) return;
    for (auto it = fs::recursive_directory_iterator(work.output, error); !error && it != fs::end(it);
         it.increment(error)) {
        const fs::file_status status = it->symlink_status(error);
        if (!fs::is_directory(status) && !fs::is_regular_file(status)) std::abort();
        if ((status.permissions() & (fs::perms::set_uid | fs::perms::set_gid)) != fs::perms::none)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& work = Work();
    {
        std::ofstream file(work.archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    ZipHandle* handle = OpenArchive(AnsiToWide(work.archive.string()), kPackagePassword);
    if (handle != nullptr) {
        ZipEntryInfo info;
        if (GetEntry(handle, -1, info) != kZipOk) std::abort();
        const std::int32_t total = info.index;
        if (total < 0) std::abort();
        const std::int32_t count = total < kMaxItems ? total : kMaxItems;
        const std::wstring folder = AnsiToWide(work.output.string()) + L"/";
        for (std::int32_t i = 0; i < count; ++i) {
            if (GetEntry(handle, i, info) != kZipOk) continue;
            if (info.index != i || info.name.size() > kZipMaxName) std::abort();
            ExtractEntry(handle, i, folder + info.name);
        }
        // Past the end is refused, never read.
        if (GetEntry(handle, total, info) != kZipBadArguments) std::abort();
        if (CloseArchive(handle) != kZipOk) std::abort();
    }
    CheckConfined(work);
    std::error_code error;
    // Read-only files and folders come out of archives; the owner may still remove them.
    fs::remove_all(work.output, error);
    return 0;
}
