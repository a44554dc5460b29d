// Choosing the image of an icon file for a requested size, with a directory that must not be
// trusted.
#include <gtest/gtest.h>

#include "dui/src/res.mgr/SIconFile.h"

namespace {

// An icon file whose images are fake PNGs "\x89PNG\r\n\x1a\n" + tag, one per width.
std::string IconFile(const std::vector<std::pair<int, char>>& images) {
    std::string out("\0\0\1\0", 4);
    out += static_cast<char>(images.size());
    out += '\0';
    const size_t dataStart = 6 + images.size() * 16;
    std::string data;
    for (const auto& [width, tag] : images) {
        const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + tag;
        const uint32_t offset = static_cast<uint32_t>(dataStart + data.size());
        const uint32_t length = static_cast<uint32_t>(png.size());
        char entry[16] = {static_cast<char>(width == 256 ? 0 : width),
                          static_cast<char>(width == 256 ? 0 : width)};
        for (int i = 0; i < 4; ++i) {
            entry[8 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
            entry[12 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
        }
        out.append(entry, 16);
        data += png;
    }
    return out + data;
}

char Pick(const std::string& file, int size) {
    std::string_view image;
    return PickIconImage(file, size, image) ? image.back() : '-';
}

TEST(IconFile, PicksExactThenNextLargerThenLargest) {
    const std::string file = IconFile({{16, 'a'}, {48, 'c'}, {32, 'b'}, {256, 'd'}});
    struct Case {
        int size;
        char tag;
    } cases[] = {{16, 'a'}, {32, 'b'}, {0, 'b'}, {20, 'b'}, {40, 'c'}, {100, 'd'}, {300, 'd'}, {8, 'a'}};
    for (const Case& c : cases) EXPECT_EQ(Pick(file, c.size), c.tag) << c.size;
}

TEST(IconFile, RefusesWhatIsNotASoundIconFile) {
    std::string file = IconFile({{16, 'a'}, {32, 'b'}});
    EXPECT_EQ(Pick(file.substr(0, 20), 16), '-');  // the directory is cut short
    EXPECT_EQ(Pick("\x89PNG\r\n\x1a\n", 16), '-');
    std::string badOffset = file;
    badOffset[6 + 16 + 12] = '\x7F';  // the 32-pixel image points past the end: passed over
    EXPECT_EQ(Pick(badOffset, 32), 'a');
    std::string bitmap = IconFile({{16, 'a'}});
    bitmap[6 + 16] = 'B';  // no PNG signature
    EXPECT_EQ(Pick(bitmap, 16), '-');
}

}  // namespace
