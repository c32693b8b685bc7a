// The kernels of the elementary functions in double-double arithmetic: e^x and
// e^x - 1, ln x and ln(1 + v), sin and cos, arctan. Each states the relative error
// bound it keeps and the range where it holds (the ...Bound constants below): the
// measured worst case against MPFR (kernel_bounds_test, random, end-of-range and hard
// arguments) with at least one bit to spare, which that test keeps. With bounds
// of 2^-67 and better a correctly rounded result is decided in all but about one
// call in 10,000. Every reduction is exact or carried as a pair;
// every series is a Taylor series on a short interval, its leading terms exact and
// only its small tail in plain double arithmetic.
#pragma once

#include <limits>

#include "mathlib/double_double.h"
#include "mathlib/kernel_constants.h"
#include "mathlib/kernel_tables.h"

namespace PairKernel {
inline namespace ZENTAVO_MATH_VARIANT {

using DoubleDouble::TPair;

// e^(x + xLo) for abs(x) < 709: x = k ln2/128 + r, e^x = 2^(k/128) e^r. k ln2/128 is
// a pair whose first part has 29 bits, so k times it is exact and x minus that too.
// e^r = 1 + r + q with q in doubles (its rounding stays below 2^-70 of the result).
// Bound: 2^-67 relative for x from -693 to 709 (results of 2^-1000 and more; below,
// the second part of the pair is subnormal). Measured worst 2^-68.6.
inline constexpr double ExpBound = 0x1p-67;
inline TPair Exp(double x, double xLo = 0) {
    using namespace DoubleDouble;
    const double kd = NearestInteger(x * ExpStepsPerUnit);
    const auto k = static_cast<long>(kd);
    const double rHi = x - kd * Ln2By128Hi;
    const double rLo = xLo - kd * Ln2By128Lo;
    const double r = rHi + rLo, r2 = r * r;
    const double q = r2 * ((0.5 + r * (1.0 / 6)) + r2 * ((1.0 / 24 + r * (1.0 / 120)) +
                                                         r2 * (1.0 / 720 + r * (1.0 / 5040))));
    const TTableValue& t = Exp2Table[k & (Exp2TableSize - 1)];
    // t (1 + rHi + rLo + q): the product t.Hi rHi exactly, the rest is small
    const TPair p = TwoProduct(t.Hi, rHi);
    const TPair s = FastTwoSum(t.Hi, p.Hi);
    const double lo = s.Lo + (p.Lo + (t.Lo + (t.Hi * (rLo + q) + t.Lo * r)));
    const TPair v = FastTwoSum(s.Hi, lo);
    const double scale = PowerOfTwo(k >> 7);
    return {v.Hi * scale, v.Lo * scale};
}

// e^x - 1 for abs(x) < 709, without the cancellation of e^x - 1 near 0:
// e^r - 1 = r + r^2/2 + r^3 (...) with r^2 exact, and
// 2^m t e^r - 1 = (2^m t - 1) + 2^m t (e^r - 1) with the products exact.
// Bounds, relative: 2^-67 for abs(x) <= 1 (measured worst 2^-68.2), 2^-57 up to
// 40 (2^-58.2, growing with x), 2^-48 up to 709 (2^-49.9). The callers use it below 1
// (sinh) and for tanh and coth up to 40, where u/(u + 2) shrinks u's error by 2/(u + 2).
inline constexpr double Expm1BoundToOne = 0x1p-67;
inline constexpr double Expm1BoundTo40 = 0x1p-57;
inline constexpr double Expm1BoundTo709 = 0x1p-48;
inline TPair Expm1(double x) {
    using namespace DoubleDouble;
    const double kd = NearestInteger(x * ExpStepsPerUnit);
    const auto k = static_cast<long>(kd);
    const double rHi = x - kd * Ln2By128Hi;
    const double rLo = -(kd * Ln2By128Lo);
    const double r = rHi + rLo, r2 = r * r;
    const double cubic = (r * r2) * ((1.0 / 6 + r * (1.0 / 24)) +
                                     r2 * ((1.0 / 120 + r * (1.0 / 720)) + r2 * (1.0 / 5040)));
    const TPair square = TwoProduct(rHi, rHi);
    const TPair front = FastTwoSum(rHi, 0.5 * square.Hi);
    const TPair p =
        FastTwoSum(front.Hi, front.Lo + ((rLo + 0.5 * square.Lo) + (rHi * rLo + cubic)));
    const TTableValue& t = Exp2Table[k & (Exp2TableSize - 1)];
    const double scale = PowerOfTwo(k >> 7);
    const TPair tp = TwoProduct(t.Hi, p.Hi);
    const TPair whole = Add(TwoSum(t.Hi * scale, -1), {tp.Hi * scale, tp.Lo * scale});
    const double rest = scale * (t.Lo + (t.Hi * p.Lo + t.Lo * p.Hi));
    return FastTwoSum(whole.Hi, whole.Lo + rest);
}

// ln(x + xLo) for a finite x > 0 and xLo within an ulp of it (0 for a double):
// x = 2^e m, m in [1, 2), c about 1/m with 9 bits from the table, r = m c - 1 exact
// as a pair (each half of m times c is exact), and xLo 2^-e c added to it:
// ln x = e ln2 - ln c + r - r^2/2 + r^3/3 - r^4 (1/4 - ...), the first three
// terms as pairs. The weakest place is next to 1 + 1/256, where ln x is about 2^-8
// and r about -2^-8 cancels half of the table's -ln c: what is left in doubles
// (r^4/4 and beyond, the second parts) stays below 2^-85 absolute there.
// Bound: 2^-75 relative for every positive x (measured worst 2^-76.9 at
// 1.0039273835826594, in a dense look at every table cell and next to 1).
inline constexpr double LnBound = 0x1p-75;
template <bool WithLow> TPair LnOf(double x, double xLo) {
    using namespace DoubleDouble;
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
    const TPair halves = Split(m);
    TPair r = TwoSum(halves.Hi * t.Reciprocal - 1, halves.Lo * t.Reciprocal);
    if constexpr (WithLow) { // 2^-e in two steps: e may be 1023
        const long half = -e / 2;
        r = TwoSum(r.Hi, r.Lo + ((xLo * t.Reciprocal) * PowerOfTwo(half)) * PowerOfTwo(-e - half));
    }
    // r^3/3 as a pair from the exact square (at r = 2^-8 it is 2^-25.6, so a rounding
    // of it in doubles would cost 2^-78 absolute); the rest of the series, from
    // r^4/4 (below 2^-34), in doubles
    const TPair square = TwoProduct(r.Hi, r.Hi);
    const double x1 = r.Hi, x2 = square.Hi;
    const TPair cube = TwoProduct(square.Hi, x1);
    const double third = cube.Hi * (1.0 / 3);
    const TPair thrice = TwoProduct(third, 3);
    const double thirdLo =
        (((cube.Hi - thrice.Hi) - thrice.Lo) + cube.Lo + square.Lo * x1) * (1.0 / 3);
    const double tail =
        (x2 * x2) * ((-0.25 + x1 * 0.2) + x2 * ((-1.0 / 6 + x1 * (1.0 / 7)) +
                                                x2 * (-0.125 + x1 * (1.0 / 9) - x2 * 0.1)));
    const auto ee = static_cast<double>(e + (j > 64 ? 1 : 0));
    const TPair a = TwoSum(ee * Ln2Hi, t.Hi);
    const TPair b = TwoSum(a.Hi, r.Hi);
    const TPair c = TwoSum(b.Hi, -0.5 * square.Hi);
    const TPair d = TwoSum(c.Hi, third);
    const double lo =
        (a.Lo + b.Lo + c.Lo + d.Lo) + ((r.Lo - 0.5 * square.Lo - x1 * r.Lo + square.Hi * r.Lo) +
                                       (thirdLo + tail + t.Lo + ee * Ln2Lo));
    return FastTwoSum(d.Hi, lo);
}

inline TPair Ln(double x) {
    return LnOf<false>(x, 0);
}

// x = k pi/2 + j/256 + d, with d a pair of size at most 1/512 + 2^-20, and the
// series of sin d and cos d: sin d = d + Sd, cos d = 1 + Cd with -d^2/2 exact at
// the front of Cd. pi/2 comes in four parts, the first three of 25 bits, so k
// times each is exact; r = x - k pi/2 is a pair good to about 2^-100 absolute.
// Decided is false next to a multiple of pi/2, where r keeps too few bits.
struct TReducedAngle {
    long K, J; // J already offset into the sine and cosine tables
    double DHi, DLo, D, Sd, CdHi, CdLo;
    bool Decided;
};

inline TReducedAngle ReduceAngle(double x) {
    using namespace DoubleDouble;
    const double kd = NearestInteger(x * QuarterTurnsPerUnit);
    const auto k = static_cast<long>(kd);
    const TPair b = TwoSum(x - kd * HalfPi1, -(kd * HalfPi2));
    const TPair c = TwoSum(b.Hi, -(kd * HalfPi3));
    const TPair r = FastTwoSum(c.Hi, (b.Lo + c.Lo) - kd * HalfPi4);
    if (std::fabs(r.Hi) < 0x1p-24 && k != 0) return {0, 0, 0, 0, 0, 0, 0, 0, false};
    const double jd = NearestInteger(r.Hi * 256);
    const double dHi = r.Hi - jd * 0x1p-8, dLo = r.Lo;
    const double d = dHi + dLo, d2 = d * d;
    const double sd = (d * d2) * (-1.0 / 6 + d2 * (1.0 / 120 - d2 * (1.0 / 5040)));
    const TPair square = TwoProduct(dHi, dHi);
    const double cdLo = (-0.5 * square.Lo - dHi * dLo) + (d2 * d2) * (1.0 / 24 - d2 * (1.0 / 720));
    return {k,   static_cast<long>(jd) + SinCosTableMiddle, dHi, dLo, d, sd, -0.5 * square.Hi, cdLo,
            true};
}

// A + (B sin d + A (cos d - 1)) for table values A and B (B times bSign): with
// A = sin(j/256), B = cos(j/256) the sine of j/256 + d, with A = cos(j/256),
// B = -sin(j/256) its cosine.
inline TPair SineForm(const TReducedAngle& a, const TTableValue& at, const TTableValue& bt,
                      double bSign) {
    using namespace DoubleDouble;
    const double bHi = bSign * bt.Hi, bLo = bSign * bt.Lo;
    const TPair bd = TwoProduct(bHi, a.DHi);
    const TPair front = FastTwoSum(at.Hi, bd.Hi);
    // A d^2/2 (up to 2^-19 of the result) exactly, so that what is summed in doubles
    // stays below about 2^-29 of the result
    const TPair ad = TwoProduct(at.Hi, a.CdHi);
    const TPair second = TwoSum(front.Hi, ad.Hi);
    const double lo = (front.Lo + second.Lo) + (bd.Lo + at.Lo + ad.Lo) +
                      ((bHi * a.DLo + bLo * a.D + bHi * a.Sd) + (at.Lo * a.CdHi + at.Hi * a.CdLo));
    return FastTwoSum(second.Hi, lo);
}

// sin(x + q pi/2) for abs(x) < 2^28 (q = 1 gives cos x). In quarter turn n = k + q
// the result is +-sin r or +-cos r: one evaluation of the sine form, the table
// entries chosen without a branch.
struct TSine {
    TPair Value;
    bool Decided;
};

inline TSine SineOfQuarterTurns(double x, long q) {
    const TReducedAngle a = ReduceAngle(x);
    if (!a.Decided) return {{0, 0}, false};
    const long n = a.K + q;
    const bool odd = n & 1;
    const TPair v = SineForm(a, odd ? CosTable[a.J] : SinTable[a.J],
                             odd ? SinTable[a.J] : CosTable[a.J], odd ? -1.0 : 1.0);
    const double sign = (n & 2) ? -1.0 : 1.0;
    return {{sign * v.Hi, sign * v.Lo}, true};
}

// sin x and cos x from one reduction. Bound, for both and for SineOfQuarterTurns:
// 2^-70 relative for abs(x) < 2^28 where the reduction is Decided. Next to 0 (j = 0)
// the result is about d and the few roundings of d^3/6 (at most 2^-20.6 of d) cost
// 2^-72; elsewhere what is summed in doubles stays below 2^-29 of the result, and r
// (within 2^-100 absolute, at least 2^-24 where decided) adds at most 2^-76.
// Measured worst 2^-71.8, next to x = 1/512 where j changes.
inline constexpr double SinCosBound = 0x1p-70;
struct TSinCos {
    TPair Sin, Cos;
    bool Decided;
};

inline TSinCos SinAndCos(double x) {
    const TReducedAngle a = ReduceAngle(x);
    if (!a.Decided) return {{0, 0}, {0, 0}, false};
    const TPair sinR = SineForm(a, SinTable[a.J], CosTable[a.J], 1);
    const TPair cosR = SineForm(a, CosTable[a.J], SinTable[a.J], -1);
    static constexpr double QuadrantSin[4] = {1, 0, -1, 0}, QuadrantCos[4] = {0, 1, 0, -1};
    const double qs = QuadrantSin[a.K & 3], qc = QuadrantCos[a.K & 3];
    return {{qs * sinR.Hi + qc * cosR.Hi, qs * sinR.Lo + qc * cosR.Lo},
            {qs * cosR.Hi - qc * sinR.Hi, qs * cosR.Lo - qc * sinR.Lo},
            true};
}

// ln of a pair v > 0, v.Lo within an ulp of v.Hi; bound LnBound.
inline TPair LnOfPair(TPair v) {
    return LnOf<true>(v.Hi, v.Lo);
}

// ln(1 + v) for a pair v > -1. Below 2^-20 the series v - v^2/2 + v^3/3 - v^4/4
// (v^2 exact; the next term is below 2^-80 of the result); above, 1 + v exactly as
// a pair and its logarithm, whose small part then stays below 2^-85 of the result.
// Bound: 2^-74 relative for v between -1 and 1 (measured worst 2^-76.3, above
// 2^-20 where the pair 1 + v is taken: Ln's bound and the rounding of 1 + v).
inline constexpr double Log1pBound = 0x1p-74;
inline TPair Log1p(TPair v) {
    using namespace DoubleDouble;
    if (std::fabs(v.Hi) < 0x1p-20) {
        const TPair square = TwoProduct(v.Hi, v.Hi);
        const double cube = square.Hi * v.Hi;
        const TPair front = FastTwoSum(v.Hi, -0.5 * square.Hi);
        return FastTwoSum(front.Hi, front.Lo + ((v.Lo - 0.5 * square.Lo - v.Hi * v.Lo) +
                                                cube * (1.0 / 3 - 0.25 * v.Hi)));
    }
    const TPair s = TwoSum(1, v.Hi);
    return LnOfPair(FastTwoSum(s.Hi, s.Lo + v.Lo));
}

// arctan(n/d) for pairs 0 <= n <= d, d > 0, given t, n/d within a few ulps: with
// b = j/256 next to t, arctan(n/d) = arctan b + arctan u, u = (n - b d)/(d + b n),
// abs(u) <= 1/512. No pair division: n - b d and d + b n are pairs from exact
// products, and u takes one reciprocal, its first part corrected by the residual.
// arctan u = u - u^3/3 + u^5/5 - u^7/7 (the next term is below 2^-84 of u), the cube
// and beyond in doubles: their rounding stays below about 2^-70 of the result, and
// the rest of the sum below 2^-100. At j = 0 the result is about u, so the cube's
// few roundings (each 2^-53 of u^3/3, at most 2^-71.6 of u) set the error.
// Bound: 2^-68 relative for 0 <= n/d <= 1 (measured worst 2^-70.0, next to 1/512,
// where u is largest against the result).
inline constexpr double AtanOfRatioBound = 0x1p-68;
inline TPair AtanNear(TPair n, TPair d, double t) {
    using namespace DoubleDouble;
    // a ratio that left the range (a NaN from an overflowing product) indexes nothing
    if (!(t <= 1.0625)) return {std::numeric_limits<double>::quiet_NaN(), 0};
    const double jd = NearestInteger(t * 256);
    const double b = jd * 0x1p-8;
    const TPair bd = TwoProduct(b, d.Hi), bn = TwoProduct(b, n.Hi);
    const TPair front = TwoSum(n.Hi, -bd.Hi);
    const TPair numerator = TwoSum(front.Hi, front.Lo + ((n.Lo - bd.Lo) - b * d.Lo));
    const TPair back = FastTwoSum(d.Hi, bn.Hi);
    const TPair denominator = FastTwoSum(back.Hi, back.Lo + ((d.Lo + bn.Lo) + b * n.Lo));
    const double reciprocal = 1 / denominator.Hi;
    const double uHi = numerator.Hi * reciprocal;
    const TPair p = TwoProduct(uHi, denominator.Hi);
    const double uLo =
        (((numerator.Hi - p.Hi) - p.Lo) + (numerator.Lo - uHi * denominator.Lo)) * reciprocal;
    const double u2 = uHi * uHi;
    const double tail = (uHi * u2) * (-1.0 / 3 + u2 * (0.2 - u2 * (1.0 / 7)));
    const TTableValue& a = AtanTable[static_cast<long>(jd)];
    const TPair s = FastTwoSum(a.Hi, uHi);
    return FastTwoSum(s.Hi, s.Lo + ((a.Lo + uLo) + tail));
}

inline TPair AtanOfRatio(TPair n, TPair d) {
    return AtanNear(n, d, n.Hi / d.Hi);
}

// The angle of the point (x, y) in (-pi, pi], for pairs not both 0: the first
// octant's arctangent, then the octant. Bound: AtanOfRatioBound plus 2^-104 for the
// one pair addition (pi/2 or pi less an angle no larger than it), plus the relative
// error of the coordinates, which the arctangent does not enlarge.
inline TPair Atan2(TPair y, TPair x) {
    using namespace DoubleDouble;
    // Chosen without a branch: which coordinate is larger and the octant are
    // unpredictable for most callers' arguments.
    const TPair ay = {std::fabs(y.Hi), y.Lo * std::copysign(1.0, y.Hi)};
    const TPair ax = {std::fabs(x.Hi), x.Lo * std::copysign(1.0, x.Hi)};
    const bool steep = ay.Hi > ax.Hi, west = std::signbit(x.Hi);
    const TPair n = {steep ? ax.Hi : ay.Hi, steep ? ax.Lo : ay.Lo};
    const TPair d = {steep ? ay.Hi : ax.Hi, steep ? ay.Lo : ax.Lo};
    const TPair first = AtanOfRatio(n, d);
    // the angle is offset + first or offset - first, by octant
    static constexpr TPair Offset[4] = {
        {0, 0}, {HalfPiHi, HalfPiLo}, {PiHi, PiLo}, {HalfPiHi, HalfPiLo}};
    const int octant = static_cast<int>(steep) + 2 * static_cast<int>(west);
    const double flip = steep != west ? -1.0 : 1.0;
    const TPair angle = Add(Offset[octant], {flip * first.Hi, flip * first.Lo});
    const double sign = std::copysign(1.0, y.Hi);
    return {sign * angle.Hi, sign * angle.Lo};
}

} // namespace ZENTAVO_MATH_VARIANT
} // namespace PairKernel
