// The engine's exception classes and the texts of its parse and name-table errors.
#pragma once

#include <cstddef>
#include <string>

#include "platform/exceptions.h"

// Base of the errors raised by the engine and the mathematical library.
class ELibraryError : public Exception {
public:
    using Exception::Exception;
};

// A formula that cannot be compiled.
class EExprEvalError : public ELibraryError {
public:
    using ELibraryError::ELibraryError;
};

// A parse error at a token of the formula: Start and End are the byte offsets of
// the token where the parser stopped (equal at the end of the text), so a window
// can show the place.
class EParseError : public EExprEvalError {
public:
    EParseError(std::string message, std::size_t start, std::size_t end)
        : EExprEvalError(std::move(message)), FStart(start), FEnd(end) {}
    std::size_t Start() const noexcept { return FStart; }
    std::size_t End() const noexcept { return FEnd; }

private:
    std::size_t FStart, FEnd;
};

// A name-table error (duplicate name, bad bucket count).
class EStringHashMapError : public ELibraryError {
public:
    using ELibraryError::ELibraryError;
};

namespace ParseMessages {
inline constexpr std::string_view RParenExpected = "Parse error: ')' expected";
inline constexpr std::string_view FactorExpected = "Parse error: Factor expected";
inline constexpr std::string_view UnknownSymbol = "Parse error: Unknown symbol: '%s'";
inline constexpr std::string_view FirstArgumentExpected =
    "Parse error: '(' and function's first parameter expected";
inline constexpr std::string_view NextArgumentExpected =
    "Parse error: ';' and another parameter expected";
inline constexpr std::string_view CloseArgumentsExpected =
    "Parse error: ')' to close function's parameters expected";
inline constexpr std::string_view NestedTooDeeply = "Parse error: Expression nested too deeply";
} // namespace ParseMessages

namespace HashMapMessages {
inline constexpr std::string_view Duplicate = "Duplicate hash list entry: %s";
inline constexpr std::string_view MustBeEmpty = "HashList: must be empty to set size to zero";
inline constexpr std::string_view MustHaveTraits = "HashList must have traits";
} // namespace HashMapMessages
