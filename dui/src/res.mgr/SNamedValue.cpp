#include "dui/include/core/SNamedValue.h"

#include "dui/include/core/SColor.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SStringUtil.h"
#include "dui/include/core/SXml.h"

template <class T>
std::size_t SNamedValue<T>::Init(pugi::xml_node table) {
    entries.clear();
    for (pugi::xml_node child : table.children()) {
        if (child.type() != pugi::node_element) continue;
        T value{};
        if (ParseValue(XmlAttrText(child, "value"), value)) Add(XmlText(child.name()), value);
    }
    Sort();
    return entries.size();
}

template <class T>
bool SNamedValue<T>::Add(std::wstring_view name, const T& value) {
    if (name.size() > kMaxNameLength) {
        SLogFormat(SLogLevel::kWarning, L"src\\res.mgr\\SNamedValue", __LINE__,
                   L"named value \"%ls\" is longer than %d characters and was skipped",
                   std::wstring(name).c_str(), int(kMaxNameLength));
        return false;
    }
    entries.push_back({std::wstring(name), value});
    return true;
}

template <class T>
void SNamedValue<T>::Sort() {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.name < b.name; });
}

template <class T>
bool SNamedValue<T>::Find(std::wstring_view name, T& value) const {
    if (name.size() > kMaxNameLength) return false;
    auto it = std::lower_bound(
        entries.begin(), entries.end(), name,
        [](const Entry& e, std::wstring_view key) { return std::wstring_view(e.name) < key; });
    if (it == entries.end() || it->name != name) return false;
    value = it->value;
    return true;
}

template class SNamedValue<std::wstring>;
template class SNamedValue<COLORREF>;
template class SNamedValue<int>;

std::wstring SNamedString::Get(std::wstring_view name) const {
    std::wstring value;
    return Find(name, value) ? value : std::wstring();
}

bool SNamedString::ParseValue(const std::wstring& text, std::wstring& value) const {
    value = text;
    return true;
}

COLORREF SNamedColor::Get(std::wstring_view name) const {
    COLORREF value = kInvalidColor;
    return Find(name, value) ? value : kInvalidColor;
}

bool SNamedColor::ParseValue(const std::wstring& text, COLORREF& value) const {
    return ParseColor(text, value);
}

void SNamedID::Init(const SNamedIdEntry* table, std::size_t count, bool sorted) {
    SNamedValue<int>::Init(pugi::xml_node());
    bool inOrder = true;
    for (std::size_t i = 0; i < count; ++i) {
        if (!table[i].name) continue;
        if (i > 0 && table[i - 1].name &&
            std::wstring_view(table[i].name) < std::wstring_view(table[i - 1].name))
            inOrder = false;
        Add(table[i].name, table[i].id);
    }
    if (!sorted || !inOrder) Sort();
}

int SNamedID::Get(std::wstring_view name) const {
    int id = 0;
    return Find(name, id) ? id : 0;
}

bool SNamedID::ParseValue(const std::wstring& text, int& value) const {
    value = static_cast<int>(ParseIntAuto(text));
    return true;
}
