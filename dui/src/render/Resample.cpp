#include "dui/src/render/Resample.h"

#include <cstddef>

#include "dui/include/core/IRenderTarget.h"

ImgFrame ResampleFrame(IRenderFactory& factory, const IBitmap& bmp, SIZE size,
                       const std::vector<ResamplePart>& parts) {
    ImgFrame frame;
    auto target = factory.CreateRenderTarget(size);
    if (!target) return frame;
    for (const ResamplePart& part : parts)
        target->DrawBitmap(part.dest, bmp, part.src, 255, ExpandMode::Stretch);
    const PixelView pixels = target->Pixels();
    frame.width = size.cx;
    frame.height = size.cy;
    frame.pixels.reserve(static_cast<std::size_t>(size.cx) * size.cy);
    for (int y = 0; y < size.cy; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(pixels.data) +
                                                   static_cast<std::size_t>(y) * pixels.stride);
        frame.pixels.insert(frame.pixels.end(), row, row + size.cx);
    }
    return frame;
}
