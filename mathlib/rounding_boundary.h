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

// Biased Extended exponents: that of 2^-1022, the smallest normal double, and that
// of 2^1023, from where a result may round beyond the largest double.
inline constexpr int SmallestNormalDoubleExponent = 16383 - 1022;
inline constexpr int TopDoubleBinadeExponent = 16383 + 1023;

struct TExtendedFields {
    std::uint64_t Significand;
    int Exponent; // biased, without the sign
};

inline TExtendedFields FieldsOf(Extended r) {
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &r, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&r) + 8, sizeof signExponent);
    return {significand, signExponent & 0x7FFF};
}

inline bool LowBitsNearMidpoint(std::uint64_t significand, unsigned margin) {
    return (significand & 0x7FF) - (0x400u - margin) <= 2 * margin;
}

inline bool NearRoundingBoundary(Extended r, unsigned margin) {
    const TExtendedFields f = FieldsOf(r);
    if (f.Exponent < SmallestNormalDoubleExponent) return f.Significand != 0;
    if (f.Exponent == 0x7FFF) return false; // NaN or infinity: a fault, decided elsewhere
    return LowBitsNearMidpoint(f.Significand, margin);
}

// The common case in one test: a normal double result below 2^1023, away from a
// boundary, which a plain conversion rounds correctly.
inline bool RoundsSafely(Extended r, unsigned margin) {
    const TExtendedFields f = FieldsOf(r);
    return static_cast<unsigned>(f.Exponent - SmallestNormalDoubleExponent) <
               static_cast<unsigned>(TopDoubleBinadeExponent - SmallestNormalDoubleExponent) &&
           !LowBitsNearMidpoint(f.Significand, margin);
}
