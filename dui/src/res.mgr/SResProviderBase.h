// What every resource provider shares: the picture loads (icon, image, multi-frame image) made
// from ResourceSize + ReadResource and decoded through the current context's render factory. A
// concrete provider supplies Init, ContainsResource, ResourceSize and ReadResource.
#pragma once

#include <string>

#include "dui/include/core/SResProvider.h"
#include "dui/src/res.mgr/SResIndex.h"

class SResProviderBase : public IResProvider {
public:
    std::shared_ptr<IBitmap> LoadIconRes(std::wstring_view name, int cx, int cy) override;
    std::shared_ptr<IBitmap> LoadImageRes(std::wstring_view type, std::wstring_view name) override;
    std::shared_ptr<IImgX> LoadImgXRes(std::wstring_view type, std::wstring_view name) override;
};

// ResKey (SResIndex.h) of the UTF-8 form of `type` and `name`.
std::string ResKey(std::wstring_view type, std::wstring_view name);
