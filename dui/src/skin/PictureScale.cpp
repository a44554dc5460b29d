#include "dui/src/skin/PictureScale.h"

std::wstring PictureVariantId(std::wstring_view resId, int scale) {
    std::wstring id(resId);
    if (scale != 100) id += L"@" + std::to_wstring(scale);
    return id;
}

int PickPictureScale(int target, const std::function<bool(int)>& exists) {
    int largest = 0;
    for (int scale : kPictureScales) {
        if (!exists(scale)) continue;
        if (scale >= target) return scale;
        largest = scale;
    }
    return largest;
}

int ScaleLength(int length, int to, int from) {
    if (from <= 0) return length;
    const long long scaled = static_cast<long long>(length) * to;
    return static_cast<int>((2 * scaled + (scaled >= 0 ? from : -from)) / (2LL * from));
}
