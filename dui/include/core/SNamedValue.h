// Named-value tables of the UI definition: strings, colours and the application's name-id table.
// Entries are sorted by name (case-sensitive, ordinal) and found by binary search. Names are at
// most kMaxNameLength characters: longer names are refused when loading and never match, so two
// long names can never be mistaken for each other. Read-only after loading; UI thread.
#pragma once

#include <algorithm>
#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "dui/include/core/RenderTypes.h"

template <class T>
class SNamedValue {
public:
    static constexpr std::size_t kMaxNameLength = 49;

    virtual ~SNamedValue() = default;

    // Every child element of `table` is one entry: its name is the key, its "value" attribute the
    // value. Entries whose value does not parse are skipped. Returns the number of entries.
    std::size_t Init(pugi::xml_node table);
    bool Find(std::wstring_view name, T& value) const;
    std::size_t Count() const { return entries.size(); }

protected:
    virtual bool ParseValue(const std::wstring& text, T& value) const = 0;
    // Adds an entry (refused when the name is too long); call Sort afterwards.
    bool Add(std::wstring_view name, const T& value);
    void Sort();

private:
    struct Entry {
        std::wstring name;
        T value;
    };
    std::vector<Entry> entries;
};

class SNamedString : public SNamedValue<std::wstring> {
public:
    // The empty string when the name is unknown.
    std::wstring Get(std::wstring_view name) const;

protected:
    bool ParseValue(const std::wstring& text, std::wstring& value) const override;
};

class SNamedColor : public SNamedValue<COLORREF> {
public:
    // kInvalidColor when the name is unknown.
    COLORREF Get(std::wstring_view name) const;

protected:
    bool ParseValue(const std::wstring& text, COLORREF& value) const override;
};

struct SNamedIdEntry {
    const wchar_t* name;
    int id;
};

class SNamedID : public SNamedValue<int> {
public:
    // Replaces the table. `sorted` says the caller's table is already in order; it is checked
    // anyway (a mis-ordered table would make look-ups miss) and sorted when it is not.
    void Init(const SNamedIdEntry* table, std::size_t count, bool sorted);
    // 0 for an unknown name.
    int Get(std::wstring_view name) const;

protected:
    bool ParseValue(const std::wstring& text, int& value) const override;
};
