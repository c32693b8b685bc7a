// The extended-precision kernels. Every reduction is exact or carried as a pair;
// every polynomial is a Taylor series on an interval of width at most 2^-6, cut
// where the next term falls below 2^-72 of the result.
#include "mathlib/extended_kernels.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "mathlib/kernel_constants.h"
#include "mathlib/kernel_tables.h"

namespace {

constexpr Extended Infinity = std::numeric_limits<Extended>::infinity();
constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

// The significand (with its explicit leading bit) and the biased exponent.
struct TExtendedBits {
    std::uint64_t Significand;
    int Exponent;
};

inline TExtendedBits BitsOf(Extended x) {
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &x, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&x) + 8, sizeof signExponent);
    return {significand, signExponent & 0x7FFF};
}

inline Extended FromBits(std::uint64_t significand, int exponent) {
    Extended x = 0;
    const auto signExponent = static_cast<std::uint16_t>(exponent);
    std::memcpy(&x, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &signExponent, sizeof signExponent);
    return x;
}

// 2^m for m inside the normal Extended range.
inline Extended PowerOfTwo(long m) {
    return FromBits(std::uint64_t{1} << 63, static_cast<int>(m + 16383));
}

} // namespace

// x = k ln2/128 + r with abs(r) <= ln2/256; e^x = 2^(k/128) e^r, 2^(j/128) from the
// table for j = k mod 128. k ln2/128 is a pair whose high part has 40 bits, so
// k times it is exact and x minus it is exact too (the two are close).
TWide ExpWide(Extended x, Extended xLo) {
    if (x > 11357) return {Infinity, 0};
    if (x < -11350) return {0, 0}; // keeps 2^m normal; e^x is far below any double
    const long k = std::lrint(x * OneTwentyEightByLn2);
    const auto kk = static_cast<Extended>(k);
    const Extended r = ((x - kk * Ln2By128Hi) - kk * Ln2By128Lo) + xLo;
    // e^r - 1
    const Extended p =
        r + r * r *
                (0.5L + r * (static_cast<Extended>(1.0 / 6) +
                             r * (static_cast<Extended>(1.0 / 24) +
                                  r * (static_cast<Extended>(1.0 / 120) +
                                       r * (static_cast<Extended>(1.0 / 720) +
                                            r * static_cast<Extended>(1.0 / 5040))))));
    const TWideTableEntry& t = Exp2Table[k & 127];
    const Extended scale = PowerOfTwo(k >> 7);
    return {t.Hi * scale, (t.Lo + t.Hi * p) * scale};
}

// e^x - 1 = (Hi - 1) + Lo: Hi - 1 is exact where it cancels (Hi within [1/2, 2]),
// and for abs(x) < ln2/256 Hi is 1 and Lo the series itself.
Extended Expm1Kernel(Extended x) {
    if (x < -50) return -1;
    const TWide e = ExpWide(x);
    return (e.Hi - 1) + e.Lo;
}

// x = 2^e m with m in [1, 2); c about 1/m from the table with 11 bits, so m c is
// exact when m is split in 32-bit halves, and r = m c - 1 is exact and small:
// ln x = e ln2 - ln c + ln(1 + r). Near 1 (from either side) e and -ln c are 0.
TWide LogWide(Extended x) {
    const TExtendedBits bits = BitsOf(x);
    const auto j = static_cast<int>((((bits.Significand >> 55) & 0xFF) + 1) >> 1);
    const TLogTableEntry& t = LogTable[j];
    const long e = bits.Exponent - 16383 + (j > 64 ? 1 : 0);
    const Extended mHi = FromBits(bits.Significand & 0xFFFFFFFF00000000u, 16383);
    const Extended mLo = FromBits(bits.Significand, 16383) - mHi;
    const Extended r = (mHi * t.Reciprocal - 1) + mLo * t.Reciprocal;
    // ln(1 + r) - r
    const Extended q =
        r * r *
        (-0.5L + r * (static_cast<Extended>(1.0 / 3) +
                      r * (-0.25L + r * (static_cast<Extended>(1.0 / 5) +
                                         r * (static_cast<Extended>(-1.0 / 6) +
                                              r * (static_cast<Extended>(1.0 / 7) +
                                                   r * (-0.125L +
                                                        r * static_cast<Extended>(1.0 / 9))))))));
    const auto ee = static_cast<Extended>(e);
    const TWide a = TwoSum(ee * Ln2Hi, t.Hi);
    const TWide b = TwoSum(a.Hi, r);
    return FastTwoSum(b.Hi, (a.Lo + b.Lo) + (q + t.Lo + ee * Ln2Lo));
}

// 1 + v = s + err exactly; ln(s + err) = ln s + err/s (the next term is below 2^-128).
Extended Log1pKernel(Extended v) {
    if (!(v > -1)) return v == -1 ? -Infinity : NaN;
    if (v == Infinity) return Infinity;
    const TWide s = TwoSum(1, v);
    const TWide l = LogWide(s.Hi);
    return l.Hi + (l.Lo + s.Lo / s.Hi);
}

// x = k pi/2 + r: pi/2 in four parts (36, 36, 53 and 53 bits), so k times each of
// the first two is exact for k < 2^28, and r is a pair good to about 2^-107
// absolute. Then r = j/64 + d with abs(d) <= 1/128, and sin/cos of j/64 from the
// table combine with short series in d.
TSinCos SinCosKernel(Extended x) {
    const long k = std::lrint(x * TwoByPi);
    const auto kk = static_cast<Extended>(k);
    const TWide reduced = TwoSum(x - kk * HalfPi1, -(kk * HalfPi2));
    const TWide r = FastTwoSum(reduced.Hi, reduced.Lo - kk * HalfPi3 - kk * HalfPi4);
    if (std::fabs(r.Hi) < 0x1p-38L && k != 0) return {0, 0, false};
    const bool negative = r.Hi < 0;
    const Extended a = negative ? -r.Hi : r.Hi;
    const Extended aLo = negative ? -r.Lo : r.Lo;
    const long j = std::lrint(a * 64);
    const Extended d = (a - static_cast<Extended>(j) * 0.015625L) + aLo;
    const Extended d2 = d * d;
    const Extended sinD =
        d + d * d2 *
                (static_cast<Extended>(-1.0 / 6) +
                 d2 * (static_cast<Extended>(1.0 / 120) +
                       d2 * (static_cast<Extended>(-1.0 / 5040) +
                             d2 * static_cast<Extended>(1.0 / 362880))));
    const Extended cosDLessOne =
        d2 * (-0.5L + d2 * (static_cast<Extended>(1.0 / 24) +
                            d2 * (static_cast<Extended>(-1.0 / 720) +
                                  d2 * static_cast<Extended>(1.0 / 40320))));
    const TWideTableEntry& s = SinTable[j];
    const TWideTableEntry& c = CosTable[j];
    Extended sinA = s.Hi + (s.Lo + s.Hi * cosDLessOne + c.Hi * sinD);
    const Extended cosA = c.Hi + (c.Lo + c.Hi * cosDLessOne - s.Hi * sinD);
    if (negative) sinA = -sinA;
    switch (k & 3) {
    case 0:
        return {sinA, cosA, true};
    case 1:
        return {cosA, -sinA, true};
    case 2:
        return {-sinA, -cosA, true};
    default:
        return {-cosA, sinA, true};
    }
}

// With t = min/max of abs(y), abs(x) in [0, 1] and b = j/64 next to it,
// arctan t = arctan b + arctan((t - b)/(1 + t b)); then the octant.
Extended Atan2Kernel(Extended y, Extended x) {
    if (std::isnan(y) || std::isnan(x)) return y + x;
    if (y == 0 || x == 0 || std::isinf(y) || std::isinf(x)) return std::atan2(y, x);
    const Extended ay = std::fabs(y), ax = std::fabs(x);
    const bool swapped = ay > ax;
    const Extended t = swapped ? ax / ay : ay / ax;
    const long j = std::lrint(t * 64);
    const Extended b = static_cast<Extended>(j) * 0.015625L;
    const Extended d = (t - b) / (1 + t * b);
    const Extended d2 = d * d;
    const Extended atanD =
        d + d * d2 *
                (static_cast<Extended>(-1.0 / 3) +
                 d2 * (static_cast<Extended>(1.0 / 5) +
                       d2 * (static_cast<Extended>(-1.0 / 7) +
                             d2 * (static_cast<Extended>(1.0 / 9) +
                                   d2 * static_cast<Extended>(-1.0 / 11)))));
    const TWideTableEntry& a = AtanTable[j];
    TWide angle = FastTwoSum(a.Hi, a.Lo + atanD);
    if (swapped) { // pi/2 - angle
        const TWide s = TwoSum(HalfPiHi, -angle.Hi);
        angle = FastTwoSum(s.Hi, s.Lo + (HalfPiLo - angle.Lo));
    }
    if (x < 0) { // pi - angle
        const TWide s = TwoSum(PiHi, -angle.Hi);
        angle = FastTwoSum(s.Hi, s.Lo + (PiLo - angle.Lo));
    }
    const Extended result = angle.Hi + angle.Lo;
    return y < 0 ? -result : result;
}
