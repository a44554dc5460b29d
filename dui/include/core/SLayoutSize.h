// A size value of the layout language: a float and a unit ("px", "dp", "dip", "sp"), with three
// special values: -1 wrap content, -2 match parent, -3 undefined. Evaluated against a scale in
// percent (100 = 1:1): px truncates, the other units round; the special values stay as they are.
#pragma once

#include <string_view>

class SLayoutSize {
public:
    enum Unit { kPx = 0, kDp = 1, kDip = 2, kSp = 3 };
    static constexpr float kWrapContent = -1.0f;
    static constexpr float kMatchParent = -2.0f;
    static constexpr float kUndefined = -3.0f;

    SLayoutSize() = default;
    explicit SLayoutSize(float value, Unit unit = kPx) : value(value), unit(unit) {}

    static SLayoutSize WrapContent() { return SLayoutSize(kWrapContent); }
    static SLayoutSize MatchParent() { return SLayoutSize(kMatchParent); }
    static SLayoutSize Undefined() { return SLayoutSize(kUndefined); }

    // The leading decimal number and the trailing unit letters ("12dp", "-2", "0.5px").
    static SLayoutSize Parse(std::wstring_view text);
    // Parse, plus the words "matchParent", "full" and "wrapContent" (any case) that "width" and
    // "height" accept.
    static SLayoutSize ParseWidthHeight(std::wstring_view text);

    // "width,height" with each part as ParseWidthHeight reads it; false (both unchanged) unless
    // there are exactly two parts.
    static bool ParseSizePair(std::wstring_view text, SLayoutSize& width, SLayoutSize& height);

    bool IsWrapContent() const;
    bool IsMatchParent() const;
    bool IsUndefined() const;
    // A real size (not one of the special values).
    bool IsSpecified() const { return !IsWrapContent() && !IsMatchParent() && !IsUndefined(); }

    // Pixels at `scale`, within ±2^20 (NaN gives 0); -1 for wrap content, -2 for match parent, -3 for
    // undefined.
    int ToPixels(int scale) const;

    float value = 0.0f;
    Unit unit = kPx;
};
