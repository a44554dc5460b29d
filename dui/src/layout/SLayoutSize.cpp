#include "dui/include/core/SLayoutSize.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <string>

#include "dui/include/core/SStringUtil.h"

namespace {

constexpr float kTolerance = 1e-8f;
// Layout texts may say anything ("1e10", "inf", "nan"); pixels stay within what a screen and the
// sums of coordinates in the layouts can hold.
constexpr float kMaxPixels = 1 << 20;

bool Near(float a, float b) {
    return std::fabs(a - b) < kTolerance;
}

}  // namespace

SLayoutSize SLayoutSize::Parse(std::wstring_view text) {
    const std::wstring s = Trim(text);
    SLayoutSize size;
    size.value = std::wcstof(s.c_str(), nullptr);
    size_t unitStart = s.size();
    while (unitStart > 0 && std::iswalpha(s[unitStart - 1])) --unitStart;
    const std::wstring unit = ToLowerAscii(std::wstring_view(s).substr(unitStart));
    if (unit == L"dp")
        size.unit = kDp;
    else if (unit == L"dip")
        size.unit = kDip;
    else if (unit == L"sp")
        size.unit = kSp;
    return size;
}

SLayoutSize SLayoutSize::ParseWidthHeight(std::wstring_view text) {
    const std::wstring s = Trim(text);
    if (EqualsNoCase(s, L"matchParent") || EqualsNoCase(s, L"full")) return MatchParent();
    if (EqualsNoCase(s, L"wrapContent")) return WrapContent();
    return Parse(s);
}

bool SLayoutSize::ParseSizePair(std::wstring_view text, SLayoutSize& width, SLayoutSize& height) {
    const std::vector<std::wstring> parts = Split(text, L',');
    if (parts.size() != 2) return false;
    width = ParseWidthHeight(parts[0]);
    height = ParseWidthHeight(parts[1]);
    return true;
}

bool SLayoutSize::IsWrapContent() const {
    return Near(value, kWrapContent);
}
bool SLayoutSize::IsMatchParent() const {
    return Near(value, kMatchParent);
}
bool SLayoutSize::IsUndefined() const {
    return Near(value, kUndefined);
}

int SLayoutSize::ToPixels(int scale) const {
    if (IsMatchParent()) return -2;
    if (IsWrapContent()) return -1;
    if (IsUndefined()) return -3;
    const float pixels = unit == kPx ? value : std::floor(scale * value / 100.0f + 0.5f);
    if (std::isnan(pixels)) return 0;
    return static_cast<int>(std::clamp(pixels, -kMaxPixels, kMaxPixels));
}
