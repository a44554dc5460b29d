#include "dui/src/render/d2d/BitmapD2D.h"

#include "dui/src/render/PremultipliedColor.h"

BitmapD2D::BitmapD2D(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

std::shared_ptr<BitmapD2D> BitmapD2D::Create(const ImgFrame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height)
        return nullptr;
    return std::make_shared<BitmapD2D>(frame.width, frame.height, frame.pixels);
}

COLORREF BitmapD2D::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
    return StraightColor(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

ID2D1Bitmap* BitmapD2D::Part(ID2D1RenderTarget& target, std::uint64_t domain, const RECT& part) const {
    if (domain != domain_) {
        parts_.clear();
        domain_ = domain;
    }
    ComPtr<ID2D1Bitmap>& bitmap = parts_[PartKey{part.left, part.top, part.right, part.bottom}];
    if (!bitmap) {
        // The words are premultiplied 0xAARRGGBB, which is B8G8R8A8 in memory.
        const D2D1_BITMAP_PROPERTIES properties{
            D2D1_PIXEL_FORMAT{DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED}, 96.0f, 96.0f};
        const std::uint32_t* first = &pixels_[static_cast<std::size_t>(part.top) * width_ + part.left];
        const D2D1_SIZE_U size{static_cast<UINT32>(part.right - part.left),
                               static_cast<UINT32>(part.bottom - part.top)};
        if (FAILED(target.CreateBitmap(size, first, static_cast<UINT32>(width_) * 4, properties,
                                       bitmap.GetAddressOf()))) {
            parts_.erase(PartKey{part.left, part.top, part.right, part.bottom});
            return nullptr;
        }
    }
    return bitmap.Get();
}
