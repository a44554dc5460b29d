#include "ArtWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Canvas.h"

namespace {

bool MakeParent(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return !ec;
}

}  // namespace

ArtWriter::ArtWriter(std::string appRes, std::string duiRes, int scale)
    : appRes(std::move(appRes)), duiRes(std::move(duiRes)), scale(scale) {}

std::string ArtWriter::Named(const std::string& relative) const {
    if (scale == 100) return relative;
    const std::size_t dot = relative.rfind('.');
    return relative.substr(0, dot) + "@" + std::to_string(scale) + relative.substr(dot);
}

void ArtWriter::AppPng(const Canvas& canvas, const std::string& relative) {
    const std::string path = appRes + "/" + Named(relative);
    Report(MakeParent(path) && canvas.WritePng(path), path);
}

void ArtWriter::SystemPng(const Canvas& canvas, const std::string& relative) {
    const std::string path = duiRes + "/" + Named(relative);
    Report(MakeParent(path) && canvas.WritePng(path), path);
}

void ArtWriter::AppBytes(const std::string& bytes, const std::string& relative) {
    const std::string path = appRes + "/" + Named(relative);
    bool written = MakeParent(path);
    if (written) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(out);
    }
    Report(written, path);
}

void ArtWriter::Report(bool written, const std::string& path) {
    ++count;
    if (!written) {
        std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
        ok = false;
    }
}
