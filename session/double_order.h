// The doubles in their order as integers: adjacent doubles are adjacent integers
// (both zeros are 0), so halving an interval of keys bisects the doubles in it,
// and stepping a key steps to the next double.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>

inline std::int64_t OrderKey(double x) {
    const auto bits = std::bit_cast<std::int64_t>(x);
    return bits < 0 ? -(bits & std::numeric_limits<std::int64_t>::max()) : bits;
}

inline double FromOrderKey(std::int64_t key) {
    if (key >= 0) return std::bit_cast<double>(key);
    return std::bit_cast<double>(static_cast<std::uint64_t>(-key) | (std::uint64_t{1} << 63));
}

inline std::uint64_t KeyDistance(std::int64_t low, std::int64_t high) {
    return static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
}

// floor((low + high) / 2) without overflow.
inline std::int64_t KeyMidpoint(std::int64_t low, std::int64_t high) {
    return (low >> 1) + (high >> 1) + (low & high & 1);
}
