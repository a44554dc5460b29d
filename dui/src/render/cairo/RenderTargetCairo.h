// IRenderTarget on a Cairo image surface (premultiplied ARGB32). Clip and opacity pushes map to
// cairo_save/cairo_push_group; an opacity of 255 costs no group. UI thread only.
#pragma once

#include <vector>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/render/cairo/CairoHandles.h"

class RenderTargetCairo : public IRenderTarget {
public:
    // nullptr when the size is not positive or the surface cannot be made.
    static std::unique_ptr<RenderTargetCairo> Create(SIZE size);

    SIZE GetSize() const override;
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
    RenderTargetCairo(CairoSurfacePtr surface, CairoPtr cr);
    void SetColor(COLORREF color);

    CairoSurfacePtr surface_;
    CairoPtr cr_;
    std::vector<BYTE> opacityStack_;
};
