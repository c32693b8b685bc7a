// The names of saved formulas: what a name may be, and when two are the same name
// (letter case aside, in any alphabet).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/exceptions.h"

// A store that cannot be read, a change that cannot be written, or a name refused.
class EFormulaStoreError : public Exception {
public:
    using Exception::Exception;
};

namespace FormulaStoreMessages {
inline constexpr std::string_view NameEmpty = "A saved formula needs a name";
inline constexpr std::string_view NameTooLong =
    "The name of a saved formula may have at most 100 characters";
inline constexpr std::string_view NameControl =
    "The name of a saved formula may not contain control characters";
inline constexpr std::string_view NameNotUtf8 = "The name of a saved formula is not valid UTF-8";
} // namespace FormulaStoreMessages

inline constexpr std::size_t MaxFormulaNameLength = 100; // characters

// The name with surrounding spaces removed, or EFormulaStoreError with the reason it
// is refused.
std::string CheckedFormulaName(std::string_view name);
// Names are the same without regard to letter case (any alphabet).
bool SameFormulaName(std::string_view a, std::string_view b);
// The key names are compared and sorted by: the code points in lower case (the
// bytes themselves for a name that is not UTF-8).
std::u32string FormulaNameKey(std::string_view name);
