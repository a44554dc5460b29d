// One value written to a registry key: a text (REG_SZ) or a 32-bit number (REG_DWORD).
#pragma once

#include <cstdint>
#include <string>

struct RegistryValue {
    enum class Kind { kText, kNumber };

    static RegistryValue Text(std::wstring name, std::wstring text) {
        return {Kind::kText, std::move(name), std::move(text), 0};
    }
    static RegistryValue Number(std::wstring name, std::uint32_t number) {
        return {Kind::kNumber, std::move(name), std::wstring(), number};
    }

    Kind kind = Kind::kText;
    std::wstring name;
    std::wstring text;
    std::uint32_t number = 0;
};
