#include "tests/dui/support/GifWriter.h"

#include <algorithm>

GifWriter::GifWriter(int width, int height) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, Append, &error);
    const GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif_, true);
    EGifPutScreenDesc(gif_, width, height, 2, 0, map);
    GifFreeMapObject(map);
}

GifWriter::~GifWriter() {
    Finish();
}

void GifWriter::Frame(int left, int top, int width, int height, const std::vector<GifPixelType>& rows,
                      int delayCs, int disposal, int transparent, bool interlace) {
    GraphicsControlBlock gcb{disposal, false, delayCs, transparent};
    GifByteType ext[4];
    const size_t length = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext);
    EGifPutImageDesc(gif_, left, top, width, height, interlace, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    const auto put = [&](int row) {
        std::copy_n(rows.begin() + row * width, width, line.begin());
        EGifPutLine(gif_, line.data(), width);
    };
    if (!interlace) {
        for (int row = 0; row < height; ++row) put(row);
        return;
    }
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = kStart[pass]; row < height; row += kStep[pass]) put(row);
}

std::vector<unsigned char> GifWriter::Finish() {
    if (gif_ != nullptr) {
        int error = 0;
        EGifCloseFile(gif_, &error);
        gif_ = nullptr;
    }
    return bytes_;
}

int GifWriter::Append(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}
