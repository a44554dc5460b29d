#include "dui/src/render/cairo/ImgXCairo.h"

#include "dui/src/render/cairo/BitmapCairo.h"

std::shared_ptr<ImgXCairo> ImgXCairo::Create(const std::vector<ImgFrame>& frames) {
    if (frames.empty()) return nullptr;
    auto image = std::make_shared<ImgXCairo>();
    for (const ImgFrame& frame : frames) {
        auto bitmap = BitmapCairo::Create(frame);
        if (!bitmap) return nullptr;
        image->frames_.push_back(Frame{std::move(bitmap), frame.delayMs});
    }
    return image;
}

int ImgXCairo::Width() const {
    return frames_.front().bitmap->Width();
}
int ImgXCairo::Height() const {
    return frames_.front().bitmap->Height();
}
int ImgXCairo::FrameCount() const {
    return static_cast<int>(frames_.size());
}

std::shared_ptr<IBitmap> ImgXCairo::GetFrame(int index) const {
    if (index < 0 || index >= FrameCount()) return nullptr;
    return frames_[static_cast<std::size_t>(index)].bitmap;
}

int ImgXCairo::GetFrameDelay(int index) const {
    if (index < 0 || index >= FrameCount()) return 0;
    return frames_[static_cast<std::size_t>(index)].delayMs;
}
