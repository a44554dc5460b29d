#include "IcoWriter.h"

#include <cstdint>

namespace {

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

}  // namespace

void IcoWriter::AddPng(int size, std::string png) {
    entries.push_back({size, std::move(png)});
}

std::string IcoWriter::Encode() const {
    constexpr uint32_t kHeader = 6;
    constexpr uint32_t kEntry = 16;
    std::string out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // type: icon
    Put16(out, static_cast<uint32_t>(entries.size()));
    uint32_t offset = kHeader + kEntry * static_cast<uint32_t>(entries.size());
    for (const Entry& entry : entries) {
        // Width and height bytes hold 0 for 256.
        out.push_back(static_cast<char>(entry.size >= 256 ? 0 : entry.size));
        out.push_back(static_cast<char>(entry.size >= 256 ? 0 : entry.size));
        out.push_back(0);  // no palette
        out.push_back(0);  // reserved
        Put16(out, 1);     // colour planes
        Put16(out, 32);    // bits per pixel
        Put32(out, static_cast<uint32_t>(entry.png.size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(entry.png.size());
    }
    for (const Entry& entry : entries) out += entry.png;
    return out;
}
