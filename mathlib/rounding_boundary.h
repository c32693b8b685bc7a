// Deciding whether an Extended approximation rounds to the right double. Its 64-bit
// significand keeps 11 bits below a double's 53; the rounding boundaries (the
// midpoints between two doubles) are where those bits read 0x400. An approximation
// within `margin` Extended ulps of the exact value rounds correctly unless its low
// bits lie within `margin` of 0x400. Below the normal double range the boundaries
// sit elsewhere, so every such result counts as near one.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/floating_point.h"

// The biased Extended exponent of 2^-1022, the smallest normal double.
inline constexpr int SmallestNormalDoubleExponent = 16383 - 1022;

inline bool NearRoundingBoundary(Extended r, unsigned margin) {
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &r, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&r) + 8, sizeof signExponent);
    const int exponent = signExponent & 0x7FFF;
    if (exponent < SmallestNormalDoubleExponent) return significand != 0;
    if (exponent == 0x7FFF) return false; // NaN or infinity: a fault, decided elsewhere
    return (significand & 0x7FF) - (0x400u - margin) <= 2 * margin;
}
