// A still picture for the Direct2D backend: the decoded premultiplied pixels on the CPU, and the
// parts the render target has drawn as Direct2D bitmaps of that target's resource domain, made
// on first use. Each part is a bitmap of its own so scaling never samples a neighbouring frame of
// a state strip. Immutable to its users; the part cache is the target's business. UI thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "dui/include/core/IBitmap.h"
#include "dui/src/render/d2d/D2DContext.h"

class BitmapD2D : public IBitmap {
public:
    BitmapD2D(int width, int height, std::vector<std::uint32_t> pixels);
    // nullptr for an empty frame or a pixel count that does not match its size.
    static std::shared_ptr<BitmapD2D> Create(const ImgFrame& frame);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    COLORREF GetPixel(int x, int y) const override;

    // `part` (inside the picture) as a bitmap usable on `target`. `domain` names the target's
    // resource domain; parts made for another domain are dropped. nullptr when Direct2D refuses.
    ID2D1Bitmap* Part(ID2D1RenderTarget& target, std::uint64_t domain, const RECT& part) const;

private:
    using PartKey = std::tuple<LONG, LONG, LONG, LONG>;

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    mutable std::uint64_t domain_ = 0;
    mutable std::map<PartKey, ComPtr<ID2D1Bitmap>> parts_;
};
