// The error class of the elementary function library and its message texts:
// the domain check, and the two refusals of the power function.
#pragma once

#include <string_view>

#include "engine/errors.h"

namespace MathLibMessages {
inline constexpr std::string_view DomainCheck = "Domain check failure in Quorvex";
inline constexpr std::string_view PowerInfinite = "Power function: Result is infinite";
inline constexpr std::string_view PowerComplex = "Power function: Result is complex";
} // namespace MathLibMessages

// An argument outside the range a routine accepts.
class EMathLibError : public ELibraryError {
public:
    using ELibraryError::ELibraryError;
};
