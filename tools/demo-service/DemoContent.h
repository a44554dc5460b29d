// The files the demo service serves, read once at start-up and kept in memory (the package is about
// a megabyte): the package files listed in the install manifest, served under /package/, and the
// site files (component installers, agreement page), served at their path below the site folder.
// Immutable after Load, so the server's threads read it without a lock.
#pragma once

#include <string>
#include <vector>

struct ServedFile {
    std::string urlPath;  // "/package/assist.zip", "/software/wic_x86_chs.exe"
    std::string name;     // file name, as the manifest gives it
    std::string contentType;
    std::string bytes;
    std::string md5;  // 32 lower-case hexadecimal digits
};

class DemoContent {
public:
    // Reads every regular file of `packageDir` (manifest order: by name) and, recursively, of
    // `siteDir`. False with `error` set when a folder cannot be read or the package has no
    // assist.zip, the file the wizard unpacks.
    bool Load(const std::string& packageDir, const std::string& siteDir, std::string& error);

    const std::vector<ServedFile>& PackageFiles() const { return package; }
    const std::vector<ServedFile>& SiteFiles() const { return site; }

private:
    std::vector<ServedFile> package;
    std::vector<ServedFile> site;
};
