// Builds GIF files record by record for tests: a logical screen with a four-colour palette
// (0 black, 1 red, 2 green, 3 blue), then frames with their graphic control blocks. Uses giflib's
// encoder, so the bytes are what real GIF writers produce.
#pragma once

#include <gif_lib.h>

#include <vector>

class GifWriter {
public:
    GifWriter(int width, int height);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // `rows` holds palette indexes row by row, top-down; interlaced frames are written in the
    // four-pass order. `delayCs` is in hundredths of a second.
    void Frame(int left, int top, int width, int height, const std::vector<GifPixelType>& rows, int delayCs,
               int disposal = DISPOSAL_UNSPECIFIED, int transparent = NO_TRANSPARENT_COLOR,
               bool interlace = false);
    // Ends the file (trailer) and returns its bytes.
    std::vector<unsigned char> Finish();

private:
    static int Append(GifFileType* gif, const GifByteType* data, int length);

    std::vector<unsigned char> bytes_;
    GifFileType* gif_ = nullptr;
};
