#include "dui/src/render/d2d/WicPng.h"

#include <vector>

#include "dui/src/render/PremultipliedColor.h"

namespace {

// PNG keeps straight alpha: B, G, R, A bytes per pixel, rows top-down.
std::vector<BYTE> StraightRows(const PixelView& pixels) {
    std::vector<BYTE> rows;
    rows.reserve(static_cast<std::size_t>(pixels.width) * pixels.height * 4);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const BYTE*>(pixels.data) +
                                                                 static_cast<std::size_t>(y) * pixels.stride);
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = StraightColor(row[x]);
            rows.insert(rows.end(), {ColorBlue(c), ColorGreen(c), ColorRed(c), ColorAlpha(c)});
        }
    }
    return rows;
}

bool Encode(IWICImagingFactory& wic, IWICStream& stream, const PixelView& pixels) {
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(wic.CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.GetAddressOf())) ||
        FAILED(encoder->Initialize(&stream, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.GetAddressOf(), nullptr)) ||
        FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height))))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA) return false;
    std::vector<BYTE> rows = StraightRows(pixels);
    const UINT stride = static_cast<UINT>(pixels.width) * 4;
    return SUCCEEDED(frame->WritePixels(static_cast<UINT>(pixels.height), stride,
                                        static_cast<UINT>(rows.size()), rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool WritePngFile(IWICImagingFactory& wic, const std::wstring& path, const PixelView& pixels) {
    if (pixels.data == nullptr) return false;
    ComPtr<IWICStream> stream;
    if (FAILED(wic.CreateStream(stream.GetAddressOf())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
        return false;
    const bool written = Encode(wic, *stream.Get(), pixels);
    stream.Reset();  // closes the file
    if (!written) DeleteFileW(path.c_str());
    return written;
}
