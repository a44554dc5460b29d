// Any text as the position attributes of up to four children of an anchor-layout parent, one child
// per line and "pos;width;height;size;offset" on each, then laid out in a parent of fixed size.
// Reading and placing must neither crash nor hang (sibling references may form cycles).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dui/src/layout/SAnchorLayout.h"
#include "support/TextConvert.h"

namespace {

std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator, std::size_t most) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (parts.size() < most) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Utf8ToWide({reinterpret_cast<const char*>(data), size});
    static const wchar_t* const kNames[] = {L"pos", L"width", L"height", L"size", L"offset"};

    SAnchorLayout layout;
    std::vector<std::unique_ptr<SAnchorLayoutParam>> params;
    std::vector<SLayoutChild> children;
    for (const std::wstring& line : SplitAt(text, L'\n', 4)) {
        auto param = std::make_unique<SAnchorLayoutParam>();
        const std::vector<std::wstring> values = SplitAt(line, L';', 5);
        for (std::size_t i = 0; i < values.size(); ++i) param->ApplyAttribute(kNames[i], values[i]);
        if (param->count != 0 && param->count != 2 && param->count != 4) std::abort();
        SLayoutChild child;
        child.param = param.get();
        child.id = int(children.size()) + 1;
        child.desiredSize = [](int, int) { return SIZE{40, 16}; };
        children.push_back(std::move(child));
        params.push_back(std::move(param));
    }
    const std::vector<RECT> placed = layout.CalculateLayout(children, RECT{0, 0, 666, 474});
    if (placed.size() != children.size()) std::abort();
    layout.MeasureContent(children, -1, -1);
    return 0;
}
