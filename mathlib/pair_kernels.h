// The kernels of the most used functions in double-double arithmetic: e^x, ln x and
// sin/cos, each a pair within about 2^-69 of the exact value (relative), so that a
// correctly rounded result is decided in all but about one call in 10,000. The
// reductions and tables are those of the extended-precision kernels; the series
// add only their small tail in plain double arithmetic.
#pragma once

#include "mathlib/double_double.h"
#include "mathlib/kernel_constants.h"
#include "mathlib/kernel_tables.h"

namespace PairKernel {

using DoubleDouble::TPair;

// e^(x + xLo) for abs(x) < 709: x = k ln2/128 + r, e^x = 2^(k/128) e^r. k ln2/128 is
// a pair whose first part has 32 bits, so k times it is exact and x minus that too.
// e^r = 1 + r + q with q in doubles (its error stays below 2^-70 of the result).
inline TPair Exp(double x, double xLo = 0) {
    using namespace DoubleDouble;
    const double kd = NearestInteger(x * 0x1.71547652b82fep+7); // 128 / ln 2
    const auto k = static_cast<long>(kd);
    const double rHi = x - kd * DoubleLn2By128Hi;
    const double rLo = xLo - kd * DoubleLn2By128Lo;
    const double r = rHi + rLo, r2 = r * r;
    const double q = r2 * ((0.5 + r * (1.0 / 6)) +
                           r2 * ((1.0 / 24 + r * (1.0 / 120)) + r2 * (1.0 / 720 + r * (1.0 / 5040))));
    const TTableValue& t = Exp2Table[k & 127];
    // t (1 + rHi + rLo + q): the product t.Hi rHi exactly, the rest is small
    const TPair p = TwoProduct(t.Hi, rHi);
    const TPair s = FastTwoSum(t.Hi, p.Hi);
    const double lo = s.Lo + (p.Lo + (t.Lo + (t.Hi * (rLo + q) + t.Lo * r)));
    const TPair v = FastTwoSum(s.Hi, lo);
    const double scale = PowerOfTwo(k >> 7);
    return {v.Hi * scale, v.Lo * scale};
}

// ln x for a finite x > 0: x = 2^e m, m in [1, 2), c about 1/m with 9 bits from the
// table, r = m c - 1 exact as a pair (each half of m times c is exact):
// ln x = e ln2 - ln c + r - r^2/2 + r^3 (1/3 - ...), r^2 exactly.
inline TPair Ln(double x) {
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
    const TPair r = TwoSum(halves.Hi * t.Reciprocal - 1, halves.Lo * t.Reciprocal);
    const TPair square = TwoProduct(r.Hi, r.Hi);
    const double x1 = r.Hi, x2 = x1 * x1;
    const double tail =
        (x1 * x2) * ((1.0 / 3 - x1 * 0.25) +
                     x2 * ((0.2 - x1 * (1.0 / 6)) + x2 * ((1.0 / 7 - x1 * 0.125) + x2 * (1.0 / 9))));
    const auto ee = static_cast<double>(e + (j > 64 ? 1 : 0));
    const TPair a = TwoSum(ee * DoubleLn2Hi, t.Hi);
    const TPair b = TwoSum(a.Hi, r.Hi);
    const TPair c = TwoSum(b.Hi, -0.5 * square.Hi);
    const double lo = (a.Lo + b.Lo + c.Lo) +
                      ((r.Lo - 0.5 * square.Lo - x1 * r.Lo) + (tail + t.Lo + ee * DoubleLn2Lo));
    return FastTwoSum(c.Hi, lo);
}

// sin(x + q pi/2) for abs(x) < 2^28 and q an integer (q = 1 gives cos x), as a
// pair; Decided is false next to a multiple of pi/2, where the reduced angle keeps
// too few bits.
struct TSine {
    TPair Value;
    bool Decided;
};

// x = k pi/2 + r: pi/2 in four parts, the first three of 25 bits, so k times each is
// exact; r is a pair good to about 2^-100 absolute. r = j/128 + d with
// abs(d) <= 1/256. In quarter turn n = k + q the sine is +-sin r or +-cos r, and
// both have the form A + (B sin d + A (cos d - 1)), with A = sin(j/128) and
// B = cos(j/128) for the sine, A = cos(j/128) and B = -sin(j/128) for the cosine:
// one evaluation, the table entries chosen without a branch.
inline TSine SineOfQuarterTurns(double x, long q) {
    using namespace DoubleDouble;
    const double kd = NearestInteger(x * 0x1.45f306dc9c883p-1); // 2 / pi
    const auto k = static_cast<long>(kd);
    const TPair b = TwoSum(x - kd * DoubleHalfPi1, -(kd * DoubleHalfPi2));
    const TPair c = TwoSum(b.Hi, -(kd * DoubleHalfPi3));
    const TPair r = FastTwoSum(c.Hi, (b.Lo + c.Lo) - kd * DoubleHalfPi4);
    if (std::fabs(r.Hi) < 0x1p-30 && k != 0) return {{0, 0}, false};
    const double jd = NearestInteger(r.Hi * 128);
    const auto j = static_cast<long>(jd) + SinCosTableMiddle;
    const double dHi = r.Hi - jd * 0x1p-7, dLo = r.Lo;
    const double d = dHi + dLo, d2 = d * d;
    // sin d = d + sd, cos d = 1 + cd with -d^2/2 exact at the front of cd
    const double sd = (d * d2) * (-1.0 / 6 + d2 * (1.0 / 120 - d2 * (1.0 / 5040)));
    const TPair square = TwoProduct(dHi, dHi);
    const double cdHi = -0.5 * square.Hi;
    const double cdLo = (-0.5 * square.Lo - dHi * dLo) + (d2 * d2) * (1.0 / 24 - d2 * (1.0 / 720));
    const long n = k + q;
    const bool odd = n & 1;
    const TTableValue& a = odd ? CosTable[j] : SinTable[j];
    const TTableValue& bt = odd ? SinTable[j] : CosTable[j];
    const double bSign = odd ? -1.0 : 1.0;
    const double bHi = bSign * bt.Hi, bLo = bSign * bt.Lo;
    const TPair bd = TwoProduct(bHi, dHi);
    const TPair front = FastTwoSum(a.Hi, bd.Hi);
    const double lo = front.Lo + (bd.Lo + a.Lo) +
                      ((bHi * dLo + bLo * d + bHi * sd) + (a.Hi * cdHi + a.Hi * cdLo));
    const TPair v = FastTwoSum(front.Hi, lo);
    const double sign = (n & 2) ? -1.0 : 1.0;
    return {{sign * v.Hi, sign * v.Lo}, true};
}

} // namespace PairKernel
