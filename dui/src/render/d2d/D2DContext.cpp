#include "dui/src/render/d2d/D2DContext.h"

bool D2DContext::Start() {
    // WIC is a COM class. Start-up normally has COM running already (then this only counts up);
    // a thread in the other apartment model still gets the class, so that is not a failure.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(com);
    if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, d2d_.GetAddressOf()))) return false;
    if (FAILED(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                   reinterpret_cast<IUnknown**>(dwrite_.GetAddressOf()))))
        return false;
    if (FAILED(dwrite_->GetSystemFontCollection(systemFonts_.GetAddressOf(), FALSE))) return false;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(wic_.GetAddressOf())));
}

D2DContext::~D2DContext() {
    // Every COM object goes before COM itself.
    systemFonts_.Reset();
    wic_.Reset();
    dwrite_.Reset();
    d2d_.Reset();
    if (comStarted_) CoUninitialize();
}
