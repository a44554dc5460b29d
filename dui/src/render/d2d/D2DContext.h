// The Direct2D, DirectWrite and WIC factories one render factory shares with everything it makes
// (targets, fonts, bitmaps). Lives as long as the render factory, which outlives what it made.
// UI thread only.
#pragma once

// OLE declares a font interface named IFont too; we never use it, and ours must keep the name.
#define __IFont_INTERFACE_DEFINED__
#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>
#include <wrl/client.h>

template <typename T>
using ComPtr = Microsoft::WRL::ComPtr<T>;

class D2DContext {
public:
    // False when one of the factories is missing (COM cannot start, or the system has no Direct2D).
    bool Start();
    ~D2DContext();

    ID2D1Factory& D2D() const { return *d2d_.Get(); }
    IDWriteFactory& DWrite() const { return *dwrite_.Get(); }
    IWICImagingFactory& Wic() const { return *wic_.Get(); }
    IDWriteFontCollection& SystemFonts() const { return *systemFonts_.Get(); }

private:
    bool comStarted_ = false;
    ComPtr<ID2D1Factory> d2d_;
    ComPtr<IDWriteFactory> dwrite_;
    ComPtr<IWICImagingFactory> wic_;
    ComPtr<IDWriteFontCollection> systemFonts_;
};
