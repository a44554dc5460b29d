#include "dui/src/render/GifDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "dui/src/render/PngDecoder.h"

bool LooksLikeGif(const void* data, std::size_t size) {
    return size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

namespace {

// A frame with a delay of 0 or 1 hundredths would spin; viewers show it for 100 ms, and so do we.
constexpr int kShortDelayMs = 100;
// All frames together may not take more than this many pixels (an animation of many huge frames).
constexpr long long kMaxTotalPixels = 4 * kMaxImagePixels;

struct MemoryReader {
    const GifByteType* data;
    std::size_t size;
    std::size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), reader->size - reader->pos);
    std::memcpy(buffer, reader->data + reader->pos, n);
    reader->pos += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

class GifComposer {
public:
    GifComposer(int width, int height)
        : width_(width), height_(height), canvas_(static_cast<std::size_t>(width) * height, 0) {}

    std::vector<ImgFrame>& Frames() { return frames_; }

    void ReadControl(const GifByteType* extension) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(extension[0], extension + 1, &gcb) == GIF_OK) control_ = gcb;
    }

    // Reads the raster of the image just described; false when the data ends or breaks first.
    bool ReadImage(GifFileType* gif) {
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* colors = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (desc.Width <= 0 || desc.Height <= 0 ||
            static_cast<long long>(desc.Width) * desc.Height > kMaxImagePixels)
            return false;
        std::vector<GifPixelType> raster(static_cast<std::size_t>(desc.Width) * desc.Height);
        if (!ReadRaster(gif, desc, raster)) return false;
        if (colors == nullptr) return false;  // nothing says what the indexes mean
        AddFrame(desc, *colors, raster);
        return true;
    }

    bool Full() const { return totalPixels_ > kMaxTotalPixels; }

private:
    static bool ReadRaster(GifFileType* gif, const GifImageDesc& desc, std::vector<GifPixelType>& raster) {
        const auto readRow = [&](int row) {
            return DGifGetLine(gif, &raster[static_cast<std::size_t>(row) * desc.Width], desc.Width) ==
                   GIF_OK;
        };
        if (!desc.Interlace) {
            for (int row = 0; row < desc.Height; ++row)
                if (!readRow(row)) return false;
            return true;
        }
        // Interlaced rows come in four passes: every 8th from 0, every 8th from 4, every 4th from 2,
        // every 2nd from 1.
        static const int kStart[4] = {0, 4, 2, 1};
        static const int kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = kStart[pass]; row < desc.Height; row += kStep[pass])
                if (!readRow(row)) return false;
        return true;
    }

    void AddFrame(const GifImageDesc& desc, const ColorMapObject& colors,
                  const std::vector<GifPixelType>& raster) {
        const int disposal = control_.DisposalMode;
        std::vector<std::uint32_t> before;
        if (disposal == DISPOSE_PREVIOUS) before = canvas_;
        const int left = std::max(0, desc.Left), top = std::max(0, desc.Top);
        const int right = std::min(width_, desc.Left + desc.Width),
                  bottom = std::min(height_, desc.Top + desc.Height);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const int index =
                    raster[static_cast<std::size_t>(y - desc.Top) * desc.Width + (x - desc.Left)];
                if (index == control_.TransparentColor || index >= colors.ColorCount) continue;
                const GifColorType& c = colors.Colors[index];
                canvas_[static_cast<std::size_t>(y) * width_ + x] =
                    0xFF000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
            }
        }
        ImgFrame frame;
        frame.width = width_;
        frame.height = height_;
        frame.pixels = canvas_;
        frame.delayMs = control_.DelayTime <= 1 ? kShortDelayMs : control_.DelayTime * 10;
        frames_.push_back(std::move(frame));
        totalPixels_ += static_cast<long long>(width_) * height_;

        if (disposal == DISPOSE_BACKGROUND) {
            // Viewers clear to transparent rather than to the background colour.
            for (int y = top; y < bottom; ++y)
                std::fill_n(&canvas_[static_cast<std::size_t>(y) * width_ + left], right - left, 0u);
        } else if (disposal == DISPOSE_PREVIOUS) {
            canvas_ = std::move(before);
        }
        control_ = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    }

    int width_, height_;
    std::vector<std::uint32_t> canvas_;
    std::vector<ImgFrame> frames_;
    GraphicsControlBlock control_{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    long long totalPixels_ = 0;
};

// Reads one extension; a graphic control block sets up the next image.
bool ReadExtension(GifFileType* gif, GifComposer& composer) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) composer.ReadControl(block);
    while (block != nullptr)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    return true;
}

}  // namespace

std::vector<ImgFrame> DecodeGif(const void* data, std::size_t size) {
    if (!LooksLikeGif(data, size)) return {};
    MemoryReader reader{static_cast<const GifByteType*>(data), size};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif) return {};
    const long long screenPixels = static_cast<long long>(gif->SWidth) * gif->SHeight;
    if (gif->SWidth <= 0 || gif->SHeight <= 0 || screenPixels > kMaxImagePixels) return {};

    GifComposer composer(gif->SWidth, gif->SHeight);
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (type != TERMINATE_RECORD_TYPE && !composer.Full()) {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) break;
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR || !composer.ReadImage(gif.get())) break;
        } else if (type == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif.get(), composer)) break;
        }
    }
    return std::move(composer.Frames());
}
