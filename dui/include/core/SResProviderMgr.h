// SResProviderMgr: the application's list of resource providers. Look-ups walk from the newest
// provider to the oldest, so a provider registered later overrides an earlier one. Every
// operation takes the manager's lock, so resources may be read from worker threads.
//
// Resource ids are "TYPE:NAME" texts split at the first colon (SplitResId); the type "file" reads
// the name as a path.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dui/include/core/SResProvider.h"

class IRenderFactory;

class SAppContext;

// Splits `id` at its first colon. Returns 2 with both parts set, or 1 (no colon: `type` gets the
// whole text and `name` is cleared).
int SplitResId(std::wstring_view id, std::wstring& type, std::wstring& name);

// A mouse cursor: a system cursor id (32512 arrow ...) or a picture from the resources.
struct SCursor {
    unsigned systemId = 0;
    std::shared_ptr<IBitmap> picture;
};

class SResProviderMgr {
public:
    explicit SResProviderMgr(SAppContext& context) : context(context) {}
    ~SResProviderMgr();

    // Appends `provider` (taking a reference). With a uidef id ("uidef:xml_init") also builds that
    // UI definition from this provider and makes it the current one.
    void RegisterProvider(IResProvider* provider, const std::wstring& uidefId = std::wstring());
    bool UnregisterProvider(IResProvider* provider);
    // Releases every provider and cached cursor.
    void Clear();

    SAutoRefPtr<IResProvider> FindProvider(std::wstring_view type, std::wstring_view name) const;

    // The whole resource; false when absent or empty.
    bool ReadResource(std::wstring_view type, std::wstring_view name, std::string& bytes) const;

    std::shared_ptr<IBitmap> LoadImage(std::wstring_view type, std::wstring_view name) const;
    std::shared_ptr<IImgX> LoadImgX(std::wstring_view type, std::wstring_view name) const;
    // Whether a provider holds "TYPE:NAME" (files are not looked at).
    bool HasResource(std::wstring_view resId) const;
    // "TYPE:NAME"; nothing for a one-part id.
    std::shared_ptr<IBitmap> LoadImage(std::wstring_view resId) const;
    std::shared_ptr<IImgX> LoadImgX(std::wstring_view resId) const;
    // "NAME:SIZE" (decimal pixels) or "NAME" (default size), through the type "ICON".
    std::shared_ptr<IBitmap> LoadIcon(std::wstring_view iconId) const;
    // A number below 0x10000 or a system cursor name gives a system cursor; other names are loaded
    // from the resources (or a file) once and cached.
    SCursor LoadCursor(std::wstring_view name);

private:
    // A picture of a "file" path decoded by the render factory, or one a provider loads.
    template <class Picture>
    std::shared_ptr<Picture> LoadPicture(
        std::wstring_view type, std::wstring_view name,
        std::shared_ptr<Picture> (IRenderFactory::*fromBytes)(const void*, std::size_t),
        std::shared_ptr<Picture> (IResProvider::*fromProvider)(std::wstring_view, std::wstring_view)) const;
    IResProvider* FindProviderLocked(std::wstring_view type, std::wstring_view name) const;

    SAppContext& context;
    mutable std::recursive_mutex lock;
    std::vector<SAutoRefPtr<IResProvider>> providers;
    std::unordered_map<std::wstring, SCursor> cursors;
};
