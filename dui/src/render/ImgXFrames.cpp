#include "dui/src/render/ImgXFrames.h"

std::shared_ptr<ImgXFrames> ImgXFrames::Create(const std::vector<ImgFrame>& frames,
                                               const BitmapMaker& makeBitmap) {
    if (frames.empty()) return nullptr;
    auto image = std::make_shared<ImgXFrames>();
    for (const ImgFrame& frame : frames) {
        auto bitmap = makeBitmap(frame);
        if (!bitmap) return nullptr;
        image->frames_.push_back(Frame{std::move(bitmap), frame.delayMs});
    }
    return image;
}

int ImgXFrames::Width() const {
    return frames_.front().bitmap->Width();
}
int ImgXFrames::Height() const {
    return frames_.front().bitmap->Height();
}
int ImgXFrames::FrameCount() const {
    return static_cast<int>(frames_.size());
}

std::shared_ptr<IBitmap> ImgXFrames::GetFrame(int index) const {
    if (index < 0 || index >= FrameCount()) return nullptr;
    return frames_[static_cast<std::size_t>(index)].bitmap;
}

int ImgXFrames::GetFrameDelay(int index) const {
    if (index < 0 || index >= FrameCount()) return 0;
    return frames_[static_cast<std::size_t>(index)].delayMs;
}
