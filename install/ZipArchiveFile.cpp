#include "install/ZipArchiveFile.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "install/ZipEndRecords.h"
#include "support/platform/FileSystemPath.h"

namespace {

std::ifstream& StreamOf(voidpf stream) {
    return *static_cast<std::ifstream*>(stream);
}

std::uint64_t LeadingOf(voidpf opaque) {
    return static_cast<const ZipArchiveFile*>(opaque)->LeadingBytes();
}

voidpf ZCALLBACK OpenView(voidpf, const void* path, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
    auto* stream =
        new (std::nothrow) std::ifstream(PathFromUtf8(static_cast<const char*>(path)), std::ios::binary);
    if (stream != nullptr && !stream->is_open()) {
        delete stream;
        return nullptr;
    }
    return stream;
}

uLong ZCALLBACK ReadView(voidpf, voidpf stream, void* buffer, uLong size) {
    StreamOf(stream).read(static_cast<char*>(buffer), std::streamsize(size));
    return uLong(StreamOf(stream).gcount());
}

uLong ZCALLBACK WriteView(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK TellView(voidpf opaque, voidpf stream) {
    const std::streamoff at = StreamOf(stream).tellg();
    return at < 0 || std::uint64_t(at) < LeadingOf(opaque) ? ZPOS64_T(-1) : ZPOS64_T(at) - LeadingOf(opaque);
}

long ZCALLBACK SeekView(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin) {
    std::ifstream& file = StreamOf(stream);
    file.clear();
    switch (origin) {
        case ZLIB_FILEFUNC_SEEK_SET:
            file.seekg(std::streamoff(offset + LeadingOf(opaque)), std::ios::beg);
            break;
        case ZLIB_FILEFUNC_SEEK_CUR:
            file.seekg(std::streamoff(offset), std::ios::cur);
            break;
        case ZLIB_FILEFUNC_SEEK_END:
            file.seekg(std::streamoff(offset), std::ios::end);
            break;
        default:
            return -1;
    }
    return file.fail() ? -1 : 0;
}

int ZCALLBACK CloseView(voidpf, voidpf stream) {
    delete &StreamOf(stream);
    return 0;
}

int ZCALLBACK ErrorOfView(voidpf, voidpf stream) {
    return StreamOf(stream).bad() ? 1 : 0;
}

}  // namespace

bool ZipArchiveFile::Open(const std::string& path) {
    file.open(PathFromUtf8(path), std::ios::binary);
    if (!file.is_open()) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0) return false;
    const std::uint64_t fileSize = std::uint64_t(end);
    const std::size_t reach = std::size_t(std::min<std::uint64_t>(fileSize, kZipEndRecordsReach));
    std::vector<unsigned char> tail(reach);
    file.seekg(std::streamoff(fileSize - reach), std::ios::beg);
    if (!file.read(reinterpret_cast<char*>(tail.data()), std::streamsize(reach))) return false;
    leading = ZipLeadingBytes(tail.data(), tail.size(), fileSize);
    return true;
}

bool ZipArchiveFile::Read(std::uint64_t offset, void* buffer, std::size_t size) {
    file.clear();
    file.seekg(std::streamoff(offset + leading), std::ios::beg);
    return file.read(static_cast<char*>(buffer), std::streamsize(size)) && std::size_t(file.gcount()) == size;
}

zlib_filefunc64_def ZipArchiveFile::MinizipView() {
    zlib_filefunc64_def view{};
    view.zopen64_file = OpenView;
    view.zread_file = ReadView;
    view.zwrite_file = WriteView;
    view.ztell64_file = TellView;
    view.zseek64_file = SeekView;
    view.zclose_file = CloseView;
    view.zerror_file = ErrorOfView;
    view.opaque = this;
    return view;
}
