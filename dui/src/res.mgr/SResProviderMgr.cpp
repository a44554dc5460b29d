#include "dui/include/core/SResProviderMgr.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SUiDef.h"
#include "support/TextConvert.h"

namespace {

bool IsFileType(std::wstring_view type) {
    return EqualsNoCase(type, L"file");
}

bool ReadFile(std::wstring_view path, std::string& bytes) {
    std::ifstream in(WideToAnsi(path), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

struct SystemCursor {
    const wchar_t* name;
    unsigned id;
};
constexpr SystemCursor kSystemCursors[] = {
    {L"arrow", 32512},   {L"ibeam", 32513},    {L"wait", 32514},     {L"cross", 32515},  {L"uparrow", 32516},
    {L"size", 32640},    {L"sizenwse", 32642}, {L"sizenesw", 32643}, {L"sizewe", 32644}, {L"sizens", 32645},
    {L"sizeall", 32646}, {L"no", 32648},       {L"hand", 32649},     {L"help", 32651},
};

// A cursor name that is a plain decimal number.
bool ParseCursorNumber(std::wstring_view name, unsigned& id) {
    if (name.empty() || name.size() > 9) return false;
    unsigned value = 0;
    for (wchar_t c : name) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + unsigned(c - L'0');
    }
    id = value;
    return true;
}

}  // namespace

int SplitResId(std::wstring_view id, std::wstring& type, std::wstring& name) {
    const size_t colon = id.find(L':');
    if (colon == std::wstring_view::npos) {
        type = id;
        name.clear();
        return 1;
    }
    type = id.substr(0, colon);
    name = id.substr(colon + 1);
    return 2;
}

SResProviderMgr::~SResProviderMgr() {
    Clear();
}

void SResProviderMgr::RegisterProvider(IResProvider* provider, const std::wstring& uidefId) {
    if (!provider) return;
    {
        std::lock_guard guard(lock);
        providers.emplace_back(provider);
    }
    if (!uidefId.empty()) context.SetUiDef(MakeRef<SUiDefInfo>(context, provider, uidefId));
}

bool SResProviderMgr::UnregisterProvider(IResProvider* provider) {
    std::lock_guard guard(lock);
    for (auto it = providers.rbegin(); it != providers.rend(); ++it)
        if (it->get() == provider) {
            providers.erase(std::next(it).base());
            return true;
        }
    return false;
}

void SResProviderMgr::Clear() {
    std::lock_guard guard(lock);
    providers.clear();
    cursors.clear();
}

IResProvider* SResProviderMgr::FindProviderLocked(std::wstring_view type, std::wstring_view name) const {
    for (auto it = providers.rbegin(); it != providers.rend(); ++it)
        if ((*it)->ContainsResource(type, name)) return it->get();
    return nullptr;
}

SAutoRefPtr<IResProvider> SResProviderMgr::FindProvider(std::wstring_view type,
                                                        std::wstring_view name) const {
    std::lock_guard guard(lock);
    return SAutoRefPtr<IResProvider>(FindProviderLocked(type, name));
}

bool SResProviderMgr::ReadResource(std::wstring_view type, std::wstring_view name, std::string& bytes) const {
    std::lock_guard guard(lock);
    if (IsFileType(type)) return ReadFile(name, bytes) && !bytes.empty();
    IResProvider* provider = FindProviderLocked(type, name);
    return provider && ReadWholeResource(*provider, type, name, bytes);
}

template <class Picture>
std::shared_ptr<Picture> SResProviderMgr::LoadPicture(
    std::wstring_view type, std::wstring_view name,
    std::shared_ptr<Picture> (IRenderFactory::*fromBytes)(const void*, std::size_t),
    std::shared_ptr<Picture> (IResProvider::*fromProvider)(std::wstring_view, std::wstring_view)) const {
    std::lock_guard guard(lock);
    if (IsFileType(type)) {
        std::string bytes;
        IRenderFactory* factory = context.GetRenderFactory();
        return factory && ReadFile(name, bytes) ? (factory->*fromBytes)(bytes.data(), bytes.size()) : nullptr;
    }
    IResProvider* provider = FindProviderLocked(type, name);
    return provider ? (provider->*fromProvider)(type, name) : nullptr;
}

std::shared_ptr<IBitmap> SResProviderMgr::LoadImage(std::wstring_view type, std::wstring_view name) const {
    return LoadPicture(type, name, &IRenderFactory::LoadBitmap, &IResProvider::LoadImageRes);
}

std::shared_ptr<IImgX> SResProviderMgr::LoadImgX(std::wstring_view type, std::wstring_view name) const {
    return LoadPicture(type, name, &IRenderFactory::LoadImgX, &IResProvider::LoadImgXRes);
}

bool SResProviderMgr::HasResource(std::wstring_view resId) const {
    std::wstring type, name;
    return SplitResId(resId, type, name) == 2 && FindProvider(type, name) != nullptr;
}

std::shared_ptr<IBitmap> SResProviderMgr::LoadImage(std::wstring_view resId) const {
    std::wstring type, name;
    return SplitResId(resId, type, name) == 2 ? LoadImage(type, name) : nullptr;
}

std::shared_ptr<IImgX> SResProviderMgr::LoadImgX(std::wstring_view resId) const {
    std::wstring type, name;
    return SplitResId(resId, type, name) == 2 ? LoadImgX(type, name) : nullptr;
}

std::shared_ptr<IBitmap> SResProviderMgr::LoadIcon(std::wstring_view iconId) const {
    std::wstring iconName, size;
    int pixels = 0;
    if (SplitResId(iconId, iconName, size) == 2) pixels = static_cast<int>(ParseIntAuto(size));
    std::lock_guard guard(lock);
    IResProvider* provider = FindProviderLocked(L"ICON", iconName);
    return provider ? provider->LoadIconRes(iconName, pixels, pixels) : nullptr;
}

SCursor SResProviderMgr::LoadCursor(std::wstring_view name) {
    unsigned id = 0;
    if (ParseCursorNumber(name, id) && id < 0x10000) return SCursor{id, nullptr};
    for (const SystemCursor& c : kSystemCursors)
        if (EqualsNoCase(name, c.name)) return SCursor{c.id, nullptr};

    std::lock_guard guard(lock);
    const std::wstring key(name);
    if (auto it = cursors.find(key); it != cursors.end()) return it->second;
    // An animated cursor of that name wins over a plain one.
    const wchar_t* type = L"ANICURSOR";
    IResProvider* provider = FindProviderLocked(type, name);
    if (!provider) provider = FindProviderLocked(type = L"CURSOR", name);
    SCursor cursor;
    cursor.picture = provider ? provider->LoadImageRes(type, name) : LoadImage(L"file", name);
    if (cursor.picture) cursors.emplace(key, cursor);
    return cursor;
}
