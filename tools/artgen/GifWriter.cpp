#include "GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <map>

namespace {

constexpr uint32_t kTransparent = 0xff000000;  // never a matted colour (those have no alpha byte)
constexpr int kTransparentIndex = 0;
constexpr uint32_t kClearBelowAlpha = 10;  // coverage this low is indistinguishable from the ground

int Distance(uint32_t a, uint32_t b) {
    const int dr = static_cast<int>((a >> 16) & 0xff) - static_cast<int>((b >> 16) & 0xff);
    const int dg = static_cast<int>((a >> 8) & 0xff) - static_cast<int>((b >> 8) & 0xff);
    const int db = static_cast<int>(a & 0xff) - static_cast<int>(b & 0xff);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

GifWriter::GifWriter(int width, int height, const Colour& matte)
    : width(width), height(height), matte(matte) {}

void GifWriter::AddFrame(std::vector<uint32_t> pixels, int delayCentiseconds) {
    const double mr = matte.r * 255, mg = matte.g * 255, mb = matte.b * 255;
    for (uint32_t& p : pixels) {
        const uint32_t a = p >> 24;
        if (a < kClearBelowAlpha) {
            p = kTransparent;
            continue;
        }
        const double t = a / 255.0;
        auto mix = [t](double c, double m) { return static_cast<uint32_t>(c * t + m * (1 - t) + 0.5); };
        p = (mix((p >> 16) & 0xff, mr) << 16) | (mix((p >> 8) & 0xff, mg) << 8) | mix(p & 0xff, mb);
    }
    frames.push_back({std::move(pixels), delayCentiseconds});
}

std::vector<uint32_t> GifWriter::BuildPalette() const {
    std::map<uint32_t, int> counts;
    for (const FrameData& frame : frames) {
        for (uint32_t p : frame.rgb) {
            if (p != kTransparent) ++counts[p];
        }
    }
    // Merge at falling precision until the colours fit next to the transparent entry.
    for (int dropBits = 0; counts.size() > 255; ++dropBits) {
        std::map<uint32_t, int> merged;
        const uint32_t mask = (0xffu << (dropBits + 1)) & 0xffu;
        const uint32_t mask3 = (mask << 16) | (mask << 8) | mask;
        for (const auto& [colour, count] : counts) merged[colour & mask3] += count;
        counts = std::move(merged);
    }
    std::vector<std::pair<int, uint32_t>> byCount;
    for (const auto& [colour, count] : counts) byCount.emplace_back(-count, colour);
    std::sort(byCount.begin(), byCount.end());
    std::vector<uint32_t> palette;
    for (const auto& entry : byCount) palette.push_back(entry.second);
    return palette;
}

std::string GifWriter::Encode() const {
    const std::vector<uint32_t> palette = BuildPalette();
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (!map) return {};
    for (int i = 0; i < 256; ++i) {
        // Entry 0 is the transparent index; it carries the matte so a viewer without
        // transparency shows the intended ground.
        uint32_t c = i == 0 ? ((static_cast<uint32_t>(matte.r * 255 + 0.5) << 16) |
                               (static_cast<uint32_t>(matte.g * 255 + 0.5) << 8) |
                               static_cast<uint32_t>(matte.b * 255 + 0.5))
                            : (static_cast<size_t>(i - 1) < palette.size() ? palette[i - 1] : 0);
        map->Colors[i] = GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                      static_cast<GifByteType>(c)};
    }

    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(
        &bytes,
        [](GifFileType* file, const GifByteType* data, int length) {
            static_cast<std::string*>(file->UserData)->append(reinterpret_cast<const char*>(data), length);
            return length;
        },
        &error);
    if (!gif) {
        GifFreeMapObject(map);
        return {};
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, kTransparentIndex, map) == GIF_OK;

    // Loop for ever (application extension NETSCAPE2.0, loop count 0).
    static const GifByteType kLoop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;

    std::map<uint32_t, GifByteType> indexOf;
    std::vector<GifByteType> row(static_cast<size_t>(width));
    for (const FrameData& frame : frames) {
        if (!ok) break;
        GraphicsControlBlock gcb{DISPOSE_BACKGROUND, false, frame.delay, kTransparentIndex};
        GifByteType ext[4];
        const size_t length = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t p = frame.rgb[static_cast<size_t>(y) * width + x];
                if (p == kTransparent) {
                    row[x] = kTransparentIndex;
                    continue;
                }
                auto found = indexOf.find(p);
                if (found == indexOf.end()) {
                    size_t best = 0;
                    for (size_t i = 1; i < palette.size(); ++i) {
                        if (Distance(palette[i], p) < Distance(palette[best], p)) best = i;
                    }
                    found = indexOf.emplace(p, static_cast<GifByteType>(best + 1)).first;
                }
                row[x] = found->second;
            }
            ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
        }
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok ? bytes : std::string();
}
