#include "tools/demo-service/DemoContent.h"

#include <openssl/evp.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Md5Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1) return {};
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 0x0F];
    }
    return hex;
}

std::string ContentType(const fs::path& path) {
    static const std::map<std::string, std::string> kTypes = {
        {".html", "text/html; charset=utf-8"}, {".ini", "text/plain; charset=utf-8"},
        {".txt", "text/plain; charset=utf-8"}, {".zip", "application/zip"},
        {".exe", "application/octet-stream"},
    };
    const auto type = kTypes.find(path.extension().string());
    return type != kTypes.end() ? type->second : "application/octet-stream";
}

bool ReadFile(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return !in.bad() && in.is_open();
}

bool ReadServedFile(const fs::path& path, std::string urlPath, ServedFile& file, std::string& error) {
    file.urlPath = std::move(urlPath);
    file.name = path.filename().string();
    file.contentType = ContentType(path);
    if (!ReadFile(path, file.bytes)) {
        error = "cannot read " + path.string();
        return false;
    }
    file.md5 = Md5Hex(file.bytes);
    return true;
}

// Regular files under `folder`, sorted by path so the order does not depend on the file system.
bool ListFiles(const fs::path& folder, bool recursive, std::vector<fs::path>& files, std::string& error) {
    std::error_code problem;
    auto collect = [&](auto iterator) {
        for (; iterator != decltype(iterator)(); iterator.increment(problem)) {
            if (iterator->is_regular_file(problem)) files.push_back(iterator->path());
        }
    };
    if (recursive)
        collect(fs::recursive_directory_iterator(folder, problem));
    else
        collect(fs::directory_iterator(folder, problem));
    if (problem) {
        error = "cannot read the folder " + folder.string() + ": " + problem.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    return true;
}

}  // namespace

bool DemoContent::Load(const std::string& packageDir, const std::string& siteDir, std::string& error) {
    package.clear();
    site.clear();
    std::vector<fs::path> packagePaths, sitePaths;
    if (!ListFiles(packageDir, false, packagePaths, error) || !ListFiles(siteDir, true, sitePaths, error))
        return false;
    for (const auto& path : packagePaths) {
        ServedFile& file = package.emplace_back();
        if (!ReadServedFile(path, "/package/" + path.filename().string(), file, error)) return false;
    }
    for (const auto& path : sitePaths) {
        ServedFile& file = site.emplace_back();
        if (!ReadServedFile(path, "/" + fs::relative(path, siteDir).generic_string(), file, error))
            return false;
    }
    const bool hasArchive = std::any_of(package.begin(), package.end(),
                                        [](const ServedFile& file) { return file.name == "assist.zip"; });
    if (!hasArchive)
        error = "the package folder " + packageDir + " holds no assist.zip (is the demo package built?)";
    return hasArchive;
}
