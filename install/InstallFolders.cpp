#include "install/InstallFolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/WindowsView.h"

namespace fs = std::filesystem;

namespace {

fs::path FileSystemPath(const std::wstring& path) {
    return PathFromUtf8(WideToUtf8(path));
}

bool RemoveTree(const fs::path& folder) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (fs::is_symlink(status)) return fs::remove(folder, error);
    if (!fs::is_directory(status)) return false;  // a file is no tree: left alone
    // The children are listed first: removing entries while a listing is open may skip some.
    std::vector<fs::directory_entry> children;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        children.push_back(*it);
    }
    for (const fs::directory_entry& child : children) {
        std::error_code ignored;
        if (child.is_directory(ignored) && !child.is_symlink(ignored)) {
            RemoveTree(child.path());
        } else if (!fs::remove(child.path(), ignored) && fs::is_regular_file(child.path(), ignored)) {
            // Windows refuses to delete a read-only file, which a package may hold: it is made
            // writable and removed then.
            fs::permissions(child.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
            fs::remove(child.path(), ignored);
        }
    }
    return fs::remove(folder, error) && !error;
}

}  // namespace

std::wstring NativePath(const std::wstring& path) {
    std::wstring native = Utf8ToWide(MapWindowsPath(WideToUtf8(path)));
    std::replace_if(native.begin(), native.end(), IsPathSeparator<wchar_t>, kWidePathSeparator);
    return native;
}

bool FolderExists(const std::wstring& folder) {
    std::error_code error;
    return fs::is_directory(FileSystemPath(folder), error);
}

bool CreatePath(const std::wstring& path) {
    const fs::path folder = FileSystemPath(path);
    std::error_code error;
    if (fs::is_directory(folder, error)) return true;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

bool DeleteTree(const std::wstring& folder) {
    return RemoveTree(FileSystemPath(folder));
}
