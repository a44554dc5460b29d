// IRenderTarget on a WIC bitmap (premultiplied BGRA) drawn by Direct2D. Drawing calls open a
// Direct2D drawing pass on demand; reading pixels ends it and copies the bitmap into memory.
// Clips are kept here and applied per call, so nothing of ours stays pushed across a pass;
// an opacity layer below 255 is an off-screen target composed onto the one below at PopOpacity.
// UI thread only; the factory's context outlives the target.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/render/d2d/D2DContext.h"

class RenderTargetD2D : public IRenderTarget {
public:
    // nullptr when the size is not positive or Direct2D refuses the target.
    static std::unique_ptr<RenderTargetD2D> Create(const D2DContext& context, SIZE size);
    ~RenderTargetD2D() override;

    SIZE GetSize() const override { return size_; }
    bool Resize(SIZE size) override;

    void Clear(const RECT& rc, COLORREF color) override;
    void FillRect(const RECT& rc, COLORREF color) override;
    void FrameRect(const RECT& rc, COLORREF color, int width) override;
    void DrawFocusRect(const RECT& rc, int width) override;
    void DrawBitmap(const RECT& dest, const IBitmap& bmp, const RECT& src, BYTE alpha,
                    ExpandMode mode) override;
    void DrawBitmap9(const RECT& dest, const IBitmap& bmp, const RECT& src, const RECT& margins, BYTE alpha,
                     ExpandMode mode) override;
    void DrawText(const std::wstring& text, const RECT& rc, UINT format, const IFont& font,
                  COLORREF color) override;

    void PushClipRect(const RECT& rc) override;
    void PopClip() override;
    void PushOpacity(BYTE alpha) override;
    void PopOpacity() override;

    PixelView Pixels() override;
    COLORREF GetPixel(int x, int y) override;
    bool SavePng(const std::string& path) override;

private:
    // One open opacity layer; `target` is empty for 255, which needs no layer of its own. Only
    // `bounds` (the clip when it was pushed) can receive drawing, so only that part is cleared and
    // composed: under Wine every pixel Direct2D touches costs, and a repaint's clip is its damage.
    struct Layer {
        ComPtr<ID2D1BitmapRenderTarget> target;
        BYTE alpha;
        RECT bounds;
    };

    RenderTargetD2D(const D2DContext& context, SIZE size);
    bool MakeTarget();
    // The target drawing goes to now (the innermost layer, or the surface), in a drawing pass.
    ID2D1RenderTarget& Drawing();
    ID2D1SolidColorBrush& Brush(COLORREF color);
    // Limits what `draw` paints to `rc` inside the current clip; nothing when that is empty.
    template <typename Draw>
    void Clipped(const RECT& rc, Draw draw);
    // The clip in force: the innermost pushed clip, or the whole target.
    RECT CurrentClip() const;
    // Ends the drawing pass and copies the surface into pixels_.
    void Flush();

    const D2DContext& context_;
    SIZE size_;
    std::uint64_t domain_ = 0;  // changes whenever the target (and so its resources) is new
    ComPtr<IWICBitmap> surface_;
    ComPtr<ID2D1RenderTarget> target_;
    ComPtr<ID2D1SolidColorBrush> brush_;
    ComPtr<ID2D1BitmapBrush> focusBrush_;
    bool drawing_ = false;
    std::vector<RECT> clips_;  // the effective clip after each push
    std::vector<Layer> layers_;
    std::vector<ComPtr<ID2D1BitmapRenderTarget>> spareLayers_;
    std::vector<std::uint32_t> pixels_;
    bool pixelsFresh_ = false;
};
