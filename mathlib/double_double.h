// Double-double arithmetic in SSE2: a value as the unevaluated sum of two doubles
// (about 106 bits), with the error-free sum and product that build it. Faster than
// the x87 unit (three-cycle operations, two at a time), so the functions formulas
// call most carry their results this way.
//
// Everything here is exact only because each +, - and * is rounded on its own: a
// compiler that fused a*b + c into one multiply-add would turn the error terms into
// noise. The build switches contraction off for every file (-ffp-contract=off in the
// top-level CMakeLists.txt), whatever flags are passed.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "mathlib/math_variant.h"
#include "mathlib/rounded_result.h"

namespace DoubleDouble {
inline namespace ZENTAVO_MATH_VARIANT {

// a + b exactly, when abs(a) >= abs(b) or a is 0.
inline TPair FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, for any a and b (Knuth's sum: the rounding of each step is the
// point, so no step may be fused or reassociated).
inline TPair TwoSum(double a, double b) {
    const double s = a + b;
    const double bPart = s - a;
    return {s, (a - (s - bPart)) + (b - bPart)};
}

// a as the sum of two halves of 26 and 27 significant bits (Veltkamp's split).
inline TPair Split(double a) {
    const double t = 134217729.0 * a; // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly, for products far from the ends of the range. The error term is
// computed from the rounded p: in the Fma build by one fused multiply-add, in the
// portable one by Dekker's product on Veltkamp's halves (there, contracting
// as.Hi * bs.Hi - p into a multiply-add would change it).
inline TPair TwoProduct(double a, double b) {
    const double p = a * b;
#ifdef ZENTAVO_MATH_FMA
    return {p, std::fma(a, b, -p)};
#else
    const TPair as = Split(a), bs = Split(b);
    return {p, ((as.Hi * bs.Hi - p) + as.Hi * bs.Lo + as.Lo * bs.Hi) + as.Lo * bs.Lo};
#endif
}

// The four operations and the square root on pairs, each within about 2^-104 of
// the exact result of its operands (relative), for values far from the ends of
// the range.
inline TPair Add(TPair a, TPair b) {
    const TPair s = TwoSum(a.Hi, b.Hi);
    return FastTwoSum(s.Hi, s.Lo + (a.Lo + b.Lo));
}

inline TPair Multiply(TPair a, TPair b) {
    const TPair p = TwoProduct(a.Hi, b.Hi);
    return FastTwoSum(p.Hi, p.Lo + (a.Hi * b.Lo + a.Lo * b.Hi));
}

inline TPair Divide(TPair a, TPair b) {
    const double q = a.Hi / b.Hi;
    const TPair p = TwoProduct(q, b.Hi);
    return FastTwoSum(q, (((a.Hi - p.Hi) - p.Lo) + (a.Lo - q * b.Lo)) / b.Hi);
}

// The first part is the double square root itself, so that callers can go on with
// it while the correction is divided out; the second part is at most about one ulp
// of the first (not renormalized).
inline TPair Sqrt(TPair a) {
    if (!(a.Hi > 0)) return {std::sqrt(a.Hi), 0}; // 0, or NaN below it
    const double s = std::sqrt(a.Hi);
    const TPair p = TwoProduct(s, s);
    return {s, (((a.Hi - p.Hi) - p.Lo) + a.Lo) / (2 * s)};
}

inline TPair Negate(TPair a) {
    return {-a.Hi, -a.Lo};
}

// x rounded to the nearest integer, for abs(x) < 2^51.
inline double NearestInteger(double x) {
    return (x + 0x1.8p52) - 0x1.8p52;
}

// 2^m as a double, for m in [-1022, 1023].
inline double PowerOfTwo(long m) {
    const std::uint64_t bits = static_cast<std::uint64_t>(m + 1023) << 52;
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

} // namespace ZENTAVO_MATH_VARIANT
} // namespace DoubleDouble
