// The extended-precision kernels the elementary functions are built from: table
// lookups and short polynomials in x87 arithmetic, each within about one Extended
// ulp (2^-63 relative) of the exact value, so a result rounds to double correctly
// unless it lies within a few Extended ulps of a rounding boundary. Every
// reduction is exact or carried as a pair; every polynomial is a Taylor series on
// an interval of width at most 2^-6, cut where the next term falls below 2^-72 of
// the result. The kernels of a double argument are inline: the integer parts of
// their reductions (table index, power of two, quadrant) come from double
// arithmetic on the argument, beside the x87 work and not in its way.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

#include "mathlib/extended_arithmetic.h"
#include "mathlib/kernel_constants.h"
#include "mathlib/kernel_tables.h"

namespace KernelDetail {

// x rounded to the nearest integer in double arithmetic, for abs(x) < 2^51.
inline double NearestInteger(double x) {
    return (x + 0x1.8p52) - 0x1.8p52;
}

// 2^m for m inside the normal Extended range.
inline Extended PowerOfTwo(long m) {
    Extended x = 0;
    const std::uint64_t significand = std::uint64_t{1} << 63;
    const auto signExponent = static_cast<std::uint16_t>(m + 16383);
    std::memcpy(&x, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &signExponent, sizeof signExponent);
    return x;
}

// The series below are evaluated in Estrin's order, in pairs of terms: the x87
// unit takes six cycles for each multiplication or addition, so the depth of the
// chain, not the count of operations, sets the time.

// e^r - 1 for abs(r) <= ln2/256.
inline Extended ExpSeries(Extended r) {
    const Extended r2 = r * r;
    const Extended a = 0.5L + r * static_cast<Extended>(1.0 / 6);
    const Extended b = static_cast<Extended>(1.0 / 24) + r * static_cast<Extended>(1.0 / 120);
    const Extended c = static_cast<Extended>(1.0 / 720) + r * static_cast<Extended>(1.0 / 5040);
    return r + r2 * (a + r2 * (b + r2 * c));
}

// ln(1 + r) - r for abs(r) <= 2^-7.8.
inline Extended LogSeries(Extended r) {
    const Extended r2 = r * r, r4 = r2 * r2;
    const Extended a = -0.5L + r * static_cast<Extended>(1.0 / 3);
    const Extended b = -0.25L + r * static_cast<Extended>(1.0 / 5);
    const Extended c = static_cast<Extended>(-1.0 / 6) + r * static_cast<Extended>(1.0 / 7);
    const Extended d = -0.125L + r * static_cast<Extended>(1.0 / 9);
    return r2 * ((a + r2 * b) + r4 * (c + r2 * d));
}

// ln x = e ln2 + (table value) + r + q as a pair.
inline TWide LogSum(long e, const TLogTableEntry& t, Extended r) {
    const Extended q = LogSeries(r);
    const auto ee = static_cast<Extended>(e);
    const TWide a = TwoSum(ee * Ln2Hi, static_cast<Extended>(t.Hi));
    const TWide b = TwoSum(a.Hi, r);
    return FastTwoSum(b.Hi, (a.Lo + b.Lo) + (q + static_cast<Extended>(t.Lo) + ee * Ln2Lo));
}

// 2^m t e^r as a pair: t's two parts exactly at the front, the product by e^r - 1
// with t rounded to 64 bits (its small size makes that error negligible).
inline TWide ScaledTableTimesExp(const TTableValue& t, long m, Extended r) {
    const Extended scale = PowerOfTwo(m);
    const Extended lo = t.Lo;
    const Extended whole = t.Hi + lo;
    return {t.Hi * scale, (lo + whole * ExpSeries(r)) * scale};
}

} // namespace KernelDetail

// e^x as a pair Hi + Lo, with Lo up to 2^-8 of Hi: x = k ln2/128 + r with
// abs(r) <= ln2/256, e^x = 2^(k/128) e^r with 2^(j/128), j = k mod 128, from the
// table. ln2/128 is a pair whose first part has 40 bits, so k times it is exact,
// and x minus that is exact too (the two are close). An infinity above the
// Extended range, 0 far below any double.
inline TWide ExpOfDouble(double x) {
    using namespace KernelDetail;
    if (x > 11357) return {std::numeric_limits<Extended>::infinity(), 0};
    if (x < -11350) return {0, 0};
    const double kd = NearestInteger(x * 0x1.71547652b82fep+7); // 128 / ln 2
    const auto k = static_cast<long>(kd);
    const Extended kk = kd;
    const Extended r = (x - kk * Ln2By128Hi) - kk * Ln2By128Lo;
    return ScaledTableTimesExp(Exp2Table[k & 127], k >> 7, r);
}

inline Extended ExpKernel(double x) {
    const TWide e = ExpOfDouble(x);
    return e.Hi + e.Lo;
}

// e^x - 1 = (Hi - 1) + Lo: Hi - 1 is exact where it cancels (Hi within [1/2, 2]),
// and for abs(x) < ln2/256 Hi is 1 and Lo the series itself.
inline Extended Expm1Kernel(double x) {
    if (x < -50) return -1;
    const TWide e = ExpOfDouble(x);
    return (e.Hi - 1) + e.Lo;
}

// e^(x + xLo) for an Extended pair (a power's y ln b), as ExpOfDouble.
TWide ExpWide(Extended x, Extended xLo);

// ln x as a pair, about 2^-70 relative, for a finite double x > 0: x = 2^e m with m
// in [1, 2); c about 1/m from the table with 11 bits, so m c is exact in Extended
// and r = m c - 1 is exact and small: ln x = e ln2 - ln c + ln(1 + r). Near 1
// (from either side) e and -ln c are 0.
inline TWide LogOfDouble(double x) {
    using namespace KernelDetail;
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    long e = static_cast<long>(bits >> 52) - 1023;
    if (e == -1023) { // subnormal: scale into the normal range first
        const double scaled = x * 0x1p64;
        std::memcpy(&bits, &scaled, sizeof bits);
        e = static_cast<long>(bits >> 52) - 1023 - 64;
    }
    const auto j = (((bits >> 44) & 0xFF) + 1) >> 1;
    const TLogTableEntry& t = LogTable[j];
    const std::uint64_t mantissaBits = (bits & 0x000FFFFFFFFFFFFFu) | 0x3FF0000000000000u;
    double m;
    std::memcpy(&m, &mantissaBits, sizeof m);
    const Extended r = static_cast<Extended>(m) * t.Reciprocal - 1;
    return LogSum(e + (j > 64 ? 1 : 0), t, r);
}

// ln x as a pair for a finite Extended x > 0 (the significand is split in halves of
// 32 bits, so each half times c is exact).
TWide LogWide(Extended x);
// ln(1 + v): a NaN below -1, minus infinity at -1.
Extended Log1pKernel(Extended v);

// sin and cos of a double x with abs(x) < SinCosLimit. Decided is false when x lies
// so near a multiple of pi/2 that the reduced angle lost accuracy; the values then
// mean nothing and the caller takes the exact path.
inline constexpr double SinCosLimit = 0x1p28;
// sin x = Sin sin r + Cos cos r and cos x = Sin cos r - Cos sin r in quadrant k mod 4.
struct TQuadrant {
    double Sin, Cos;
};
inline constexpr TQuadrant Quadrants[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
struct TSinCos {
    Extended Sin, Cos;
    bool Decided;
};

// x = k pi/2 + r: pi/2 in four parts (36, 36, 53 and 53 bits), so k times each of
// the first two is exact for k < 2^28, and r is a pair good to about 2^-107
// absolute. Then r = j/128 + d with abs(d) <= 1/256 + 2^-20, and sin and cos of
// j/128 (j from -101 to 101) from the table combine with short series in d. k and
// j come from the same reduction in double arithmetic (close enough: any j with d
// that small serves).
inline TSinCos SinCosKernel(double x) {
    using namespace KernelDetail;
    const double kd = NearestInteger(x * 0x1.45f306dc9c883p-1); // 2 / pi
    const auto k = static_cast<long>(kd);
    const double approximate = x - kd * 0x1.921fb54442d18p0;
    const auto j = static_cast<long>(NearestInteger(approximate * 128));
    const Extended kk = kd;
    const TWide reduced = TwoSum(x - kk * HalfPi1, -(kk * HalfPi2));
    const Extended rLo = reduced.Lo - kk * HalfPi3 - kk * HalfPi4;
    if (std::fabs(reduced.Hi) < 0x1p-38L && k != 0) return {0, 0, false};
    const Extended d =
        (reduced.Hi - static_cast<Extended>(static_cast<double>(j) * 0x1p-7)) + rLo;
    const Extended d2 = d * d, d4 = d2 * d2;
    const Extended sinD =
        d + (d * d2) * ((static_cast<Extended>(-1.0 / 6) + d2 * static_cast<Extended>(1.0 / 120)) +
                        d4 * (static_cast<Extended>(-1.0 / 5040) +
                              d2 * static_cast<Extended>(1.0 / 362880)));
    const Extended cosDLessOne =
        d2 * (-0.5L + d2 * static_cast<Extended>(1.0 / 24)) +
        (d4 * d2) * (static_cast<Extended>(-1.0 / 720) + d2 * static_cast<Extended>(1.0 / 40320));
    // sin(j/128 + d) = sin(j/128) + (sin(j/128) (cos d - 1) + cos(j/128) sin d), and
    // the same for cos: the table's pair exactly at the front, the products with
    // its value rounded to 64 bits
    const TTableValue& sj = SinTable[j + SinCosTableMiddle];
    const TTableValue& cj = CosTable[j + SinCosTableMiddle];
    const Extended sinLo = sj.Lo, cosLo = cj.Lo;
    const Extended sinJ = sj.Hi + sinLo, cosJ = cj.Hi + cosLo;
    const Extended sinR = sj.Hi + (sinLo + (sinJ * cosDLessOne + cosJ * sinD));
    const Extended cosR = cj.Hi + (cosLo + (cosJ * cosDLessOne - sinJ * sinD));
    // sin x and cos x from sin r and cos r by the quadrant, without a branch
    const TQuadrant& q = Quadrants[k & 3];
    const Extended sinFactor = q.Sin, cosFactor = q.Cos;
    return {sinFactor * sinR + cosFactor * cosR, sinFactor * cosR - cosFactor * sinR, true};
}

// The angle of the point (x, y), in [-pi, pi], for any y and x (atan2).
Extended Atan2Kernel(Extended y, Extended x);
