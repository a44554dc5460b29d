// The scales every skin picture is drawn at (tools/artgen), and the choice among them. A picture's
// 100 % version keeps its plain resource name; the others add "@" and the percent
// ("IMG:image_bk_png@150"). A window at a scale between two of them takes the larger picture and
// scales it down, so nothing is ever enlarged unless the screen is denser than the largest one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

inline constexpr int kPictureScales[] = {100, 125, 150, 200, 250};

// The resource id of `resId`'s picture at `scale` (one of kPictureScales).
std::wstring PictureVariantId(std::wstring_view resId, int scale);
// The picture scale to draw `target` from: the smallest of kPictureScales at or above it that
// `exists`, else the largest that exists; 0 when none does.
int PickPictureScale(int target, const std::function<bool(int)>& exists);
// `length` pixels at scale `from` turned into pixels at scale `to`, rounded to the nearest.
int ScaleLength(int length, int to, int from);
