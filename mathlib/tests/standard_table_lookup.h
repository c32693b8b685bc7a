// Test helper: finds an entry of the standard table by name, without regard to case.
#pragma once

#include <algorithm>
#include <span>
#include <string_view>

#include "mathlib/standard_table.h"

namespace standard_table_lookup {

inline bool SameNameIgnoringCase(std::string_view a, std::string_view b) noexcept {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

template <typename T> const T* FindByName(std::span<const T> entries, std::string_view name) {
    const auto found = std::ranges::find_if(
        entries, [name](const T& entry) { return SameNameIgnoringCase(entry.Name, name); });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace standard_table_lookup

// The entry of that name, or nullptr.
inline const TStandardConstant* FindStandardConstant(std::string_view name) noexcept {
    return standard_table_lookup::FindByName(StandardConstants(), name);
}
inline const TStandardFunction* FindStandardFunction(std::string_view name) noexcept {
    return standard_table_lookup::FindByName(StandardFunctions(), name);
}
