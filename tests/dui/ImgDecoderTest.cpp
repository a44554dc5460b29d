// PNG and GIF decoding on small pictures the tests write themselves (libpng, giflib).
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

#include "dui/include/core/IImgDecoderFactory.h"
#include "tests/dui/support/GifWriter.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Straight RGBA bytes to a PNG file in memory.
Bytes WritePng(int width, int height, const Bytes& rgba) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr));
    Bytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr));
    out.resize(size);
    return out;
}

std::uint32_t Pixel(const ImgFrame& f, int x, int y) {
    return f.pixels[static_cast<std::size_t>(y) * f.width + x];
}

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class ImgDecoderTest : public ::testing::Test {
protected:
    std::vector<ImgFrame> Decode(const Bytes& bytes) { return decoder->Decode(bytes.data(), bytes.size()); }
    std::shared_ptr<IImgDecoderFactory> decoder = CreateImgDecoderFactory();
};

TEST_F(ImgDecoderTest, PngKeepsAlphaAsPremultipliedPixels) {
    // Opaque red, half-transparent white, fully transparent green, opaque blue.
    const Bytes rgba = {255, 0, 0, 255, 255, 255, 255, 128, 0, 255, 0, 0, 0, 0, 255, 255};
    const auto frames = Decode(WritePng(2, 2, rgba));
    ASSERT_EQ(frames.size(), 1u);
    const ImgFrame& f = frames[0];
    EXPECT_EQ(f.width, 2);
    EXPECT_EQ(f.height, 2);
    EXPECT_EQ(f.delayMs, 0);
    EXPECT_EQ(Pixel(f, 0, 0), kRed);
    EXPECT_EQ(Pixel(f, 1, 0), 0x80808080u);  // white at alpha 128, premultiplied
    EXPECT_EQ(Pixel(f, 0, 1), 0u);
    EXPECT_EQ(Pixel(f, 1, 1), kBlue);
}

TEST_F(ImgDecoderTest, BrokenOrForeignBytesGiveNothing) {
    const Bytes png = WritePng(2, 2, Bytes(16, 200));
    const Bytes truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    Bytes corrupted = png;
    corrupted[40] ^= 0xFF;  // inside the image data: its checksum no longer matches
    const Bytes text = {'h', 'e', 'l', 'l', 'o'};
    for (const Bytes* bytes : std::initializer_list<const Bytes*>{&truncated, &corrupted, &text})
        EXPECT_TRUE(Decode(*bytes).empty());
    EXPECT_TRUE(decoder->Decode(nullptr, 0).empty());
}

TEST_F(ImgDecoderTest, PngClaimingAHugeSizeIsRefusedNotAllocated) {
    Bytes png = WritePng(1, 1, Bytes{1, 2, 3, 255});
    // IHDR starts at byte 8 (length) + 4 (type); width and height follow as big-endian words.
    const unsigned char huge[8] = {0, 0x01, 0x86, 0xA0, 0, 0x01, 0x86, 0xA0};  // 100000 x 100000
    std::memcpy(&png[16], huge, 8);
    const uLong crc = crc32(0, &png[12], 17);  // type + 13 data bytes
    for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    EXPECT_TRUE(Decode(png).empty());
}

TEST_F(ImgDecoderTest, IconFileGivesOneFramePerPngEntrySmallestFirst) {
    const Bytes big = WritePng(32, 32, Bytes(32 * 32 * 4, 255));
    const Bytes small = WritePng(16, 16, Bytes(16 * 16 * 4, 255));
    // ICONDIR with three entries: 32 px, 16 px, and one whose data lies past the end of the file.
    Bytes ico = {0, 0, 1, 0, 3, 0};
    const auto entry = [&](unsigned char px, std::uint32_t length, std::uint32_t offset) {
        const unsigned char e[16] = {px,
                                     px,
                                     0,
                                     0,
                                     1,
                                     0,
                                     32,
                                     0,
                                     static_cast<unsigned char>(length),
                                     static_cast<unsigned char>(length >> 8),
                                     static_cast<unsigned char>(length >> 16),
                                     0,
                                     static_cast<unsigned char>(offset),
                                     static_cast<unsigned char>(offset >> 8),
                                     0,
                                     0};
        ico.insert(ico.end(), e, e + 16);
    };
    const std::uint32_t first = 6 + 3 * 16;
    entry(32, static_cast<std::uint32_t>(big.size()), first);
    entry(16, static_cast<std::uint32_t>(small.size()), first + static_cast<std::uint32_t>(big.size()));
    entry(48, 4000, 60000);
    ico.insert(ico.end(), big.begin(), big.end());
    ico.insert(ico.end(), small.begin(), small.end());
    const auto frames = Decode(ico);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].width, 16);
    EXPECT_EQ(frames[1].width, 32);
}

TEST_F(ImgDecoderTest, GifFramesAreComposedWithTheirDelays) {
    GifWriter gif(3, 2);
    gif.Frame(0, 0, 3, 2, {1, 1, 1, 1, 1, 1}, 50);
    // Second frame: only the middle column, its top pixel transparent (index 0).
    gif.Frame(1, 0, 1, 2, {0, 3}, 0, DISPOSAL_UNSPECIFIED, 0);
    gif.Frame(0, 0, 1, 1, {2}, 7);
    const auto frames = Decode(gif.Finish());
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].delayMs, 500);
    EXPECT_EQ(frames[1].delayMs, 100);  // a zero delay plays at the viewers' customary 100 ms
    EXPECT_EQ(frames[2].delayMs, 70);
    for (const auto& f : frames) EXPECT_EQ(f.width * f.height, 6);
    EXPECT_EQ(Pixel(frames[1], 1, 0), kRed);  // transparent: the frame below shows through
    EXPECT_EQ(Pixel(frames[1], 1, 1), kBlue);
    EXPECT_EQ(Pixel(frames[2], 0, 0), kGreen);
    EXPECT_EQ(Pixel(frames[2], 1, 1), kBlue);  // earlier frames stay
}

TEST_F(ImgDecoderTest, GifDisposalRestoresBackgroundOrPreviousFrame) {
    GifWriter gif(2, 1);
    gif.Frame(0, 0, 2, 1, {1, 1}, 10);
    gif.Frame(0, 0, 1, 1, {3}, 10, DISPOSE_BACKGROUND);
    gif.Frame(1, 0, 1, 1, {2}, 10, DISPOSE_PREVIOUS);
    gif.Frame(1, 0, 1, 1, {1}, 10);  // overwrites nothing new at x 0: shows what disposal left
    const auto frames = Decode(gif.Finish());
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(Pixel(frames[1], 0, 0), kBlue);
    EXPECT_EQ(Pixel(frames[2], 0, 0), 0u);  // cleared to transparent after frame 1
    EXPECT_EQ(Pixel(frames[2], 1, 0), kGreen);
    EXPECT_EQ(Pixel(frames[3], 1, 0), kRed);  // frame 2 was undone, then red drawn
    EXPECT_EQ(Pixel(frames[3], 0, 0), 0u);
}

TEST_F(ImgDecoderTest, InterlacedGifRowsLandInPlace) {
    // Ten rows, row r has colour 1 + r % 3: the passes deliver them out of order.
    std::vector<GifPixelType> rows;
    for (int r = 0; r < 10; ++r) rows.push_back(static_cast<GifPixelType>(1 + r % 3));
    GifWriter gif(1, 10);
    gif.Frame(0, 0, 1, 10, rows, 10, DISPOSAL_UNSPECIFIED, NO_TRANSPARENT_COLOR, true);
    const auto frames = Decode(gif.Finish());
    ASSERT_EQ(frames.size(), 1u);
    const std::uint32_t colors[3] = {kRed, kGreen, kBlue};
    for (int r = 0; r < 10; ++r) EXPECT_EQ(Pixel(frames[0], 0, r), colors[r % 3]) << "row " << r;
}

TEST_F(ImgDecoderTest, GifDamagedMidwayKeepsTheCompleteFrames) {
    GifWriter gif(4, 4);
    gif.Frame(0, 0, 4, 4, std::vector<GifPixelType>(16, 1), 10);
    const std::size_t afterFirst = gif.Finish().size() - 1;  // without the trailer
    GifWriter full(4, 4);
    full.Frame(0, 0, 4, 4, std::vector<GifPixelType>(16, 1), 10);
    full.Frame(0, 0, 4, 4, std::vector<GifPixelType>(16, 2), 10);
    Bytes bytes = full.Finish();
    bytes.resize(afterFirst + 12);  // into the second frame's data
    const auto frames = Decode(bytes);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Pixel(frames[0], 3, 3), kRed);

    EXPECT_TRUE(Decode(Bytes{'G', 'I', 'F', '8', '9', 'a', 1}).empty());
}

TEST_F(ImgDecoderTest, GifWithoutAnyPaletteGivesNothing) {
    // Header, a 1x1 screen without a global palette, one 1x1 image without a local palette.
    const Bytes noPalette = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x00, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1,
                             0, 0x00, 2, 2, 0x44, 0x01, 0,  // LZW min size 2, one sub-block: clear,
                                                            // 0, end
                             0x3B};
    EXPECT_TRUE(Decode(noPalette).empty());
}

}  // namespace
