// One table of attributes per class: each entry pairs a name with the parser that applies it, so
// a class's attributes read as a list instead of one long branch. Names compare without regard to
// case. A table is built once (a function-local static) and read on the UI thread.
//
//     static const SAttrTable<SProgress> table{
//         {L"min", [](SProgress& p, const std::wstring& v, bool) { p.minValue = ParseIntAuto(v); return
//         AttrResult::kOk; }},
//     };
//     return table.Apply(*this, name, value, loading);   // kDeclined for names not listed
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dui/include/core/SObject.h"

// The parser of a plain on/off attribute: stores ParseFlag(value) in `field`.
inline AttrResult Flag(bool& field, const std::wstring& value) {
    field = ParseFlag(value);
    return AttrResult::kOk;
}

template <class T>
class SAttrTable {
public:
    using Parser = AttrResult (*)(T& object, const std::wstring& value, bool loading);
    struct Entry {
        const wchar_t* name;
        Parser parse;
    };

    SAttrTable(std::initializer_list<Entry> list) {
        for (const Entry& e : list) entries.emplace_back(ToLowerAscii(e.name), e.parse);
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    AttrResult Apply(T& object, std::wstring_view name, const std::wstring& value, bool loading) const {
        const Parser parse = Find(name);
        return parse ? parse(object, value, loading) : AttrResult::kDeclined;
    }

private:
    Parser Find(std::wstring_view name) const {
        const std::wstring key = ToLowerAscii(name);
        auto it = std::lower_bound(entries.begin(), entries.end(), key,
                                   [](const auto& e, const std::wstring& k) { return e.first < k; });
        return it != entries.end() && it->first == key ? it->second : nullptr;
    }

    std::vector<std::pair<std::wstring, Parser>> entries;
};
