// The circular functions in double-double arithmetic: sin and cos from one
// reduction, tan, cot, sec and csc from them, the versed functions in half-angle
// forms, the inverse functions in atan2 forms. Each result is a pair within a known
// bound of the exact value, and the correct rounding is decided from it (RoundPair).
#include "mathlib/routine_support.h"

namespace Fast {
inline namespace ZENTAVO_MATH_VARIANT {

// --- sin and cos --------------------------------------------------------------------

TRoundedResult Sin(double x) {
    if (std::fabs(x) < 0x1p-26) return {x, true}; // sin x = x (1 - x^2/6): rounds to x
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 0);
    return s.Decided ? RoundPair(s.Value, SineError) : Undecided;
}

TRoundedResult Cos(double x) {
    if (std::fabs(x) < 0x1p-27) return {1, true}; // cos x = 1 - x^2/2: rounds to 1
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 1);
    return s.Decided ? RoundPair(s.Value, SineError) : Undecided;
}

// --- trigonometric and versed functions -------------------------------------------

TRoundedResult Tan(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-27) return {x, true}; // tan x = x (1 + x^2/3): rounds to x
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    return sc.Decided ? RoundPair(Divide(sc.Sin, sc.Cos), TwoSineError) : Undecided;
}

TRoundedResult Cot(double x) {
    CheckTrigArgument(x);
    if (x == 0) RaiseZeroDivide();
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < PairRangeLow) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    return sc.Decided ? RoundPair(Divide(sc.Cos, sc.Sin), TwoSineError) : Undecided;
}

TRoundedResult Sec(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-27) return {1, true}; // sec x = 1 + x^2/2: rounds to 1
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine c = PairKernel::SineOfQuarterTurns(x, 1);
    return c.Decided ? RoundPair(Divide(Exactly(1), c.Value), SineError) : Undecided;
}

// The sine of a double is 0 only at 0.
TRoundedResult Csc(double x) {
    CheckTrigArgument(x);
    CheckDomain(x == 0);
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < PairRangeLow) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 0);
    return s.Decided ? RoundPair(Divide(Exactly(1), s.Value), SineError) : Undecided;
}

namespace {

// sin^2(x/2) as a pair, or undecided. Halving a double is exact except below
// 2^-1021, where every versed function is far below the smallest double anyway.
PairKernel::TSine HalfAngleSineSquared(double x) {
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < PairRangeLow) return {{0, 0}, false};
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x / 2, 0);
    return {Multiply(s.Value, s.Value), s.Decided};
}

} // namespace

// 1 - cos x = 2 sin^2(x/2).
TRoundedResult Versine(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    return h.Decided ? RoundPair({2 * h.Value.Hi, 2 * h.Value.Lo}, TwoSineError) : Undecided;
}

// (1 - cos x) / 2 = sin^2(x/2).
TRoundedResult Haversine(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    return h.Decided ? RoundPair(h.Value, TwoSineError) : Undecided;
}

// sec x - 1 = 2 sin^2(x/2) / cos x.
TRoundedResult Exsecans(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    if (!h.Decided) return Undecided;
    const PairKernel::TSine c = PairKernel::SineOfQuarterTurns(x, 1);
    if (!c.Decided) return Undecided;
    return RoundPair(Divide({2 * h.Value.Hi, 2 * h.Value.Lo}, c.Value), ThreeSineError);
}

// 1 - sin x; where sin x is positive it is cos^2 x / (1 + sin x).
TRoundedResult Coversine(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-60) return RoundPair(OneLess(x), SineError);
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    if (!sc.Decided) return Undecided;
    if (sc.Sin.Hi <= 0) return RoundPair(Add(Exactly(1), Negate(sc.Sin)), SineError);
    return RoundPair(Divide(Multiply(sc.Cos, sc.Cos), Add(Exactly(1), sc.Sin)), ThreeSineError);
}

// --- inverse trigonometric functions ----------------------------------------------

TRoundedResult ArcSin(double x) {
    CheckDomain(std::fabs(x) > 1);
    if (std::fabs(x) < 0x1p-27) return {x, true}; // arcsin x = x (1 + x^2/6): rounds to x
    return RoundPair(PairKernel::Atan2(Exactly(x), RootOfOneLessSquare(x)), AngleError);
}

TRoundedResult ArcCos(double x) {
    CheckDomain(std::fabs(x) > 1);
    if (x == 1) return {0, true};
    return RoundPair(PairKernel::Atan2(RootOfOneLessSquare(x), Exactly(x)), AngleError);
}

TRoundedResult ArcTan(double x) {
    if (std::fabs(x) < 0x1p-27) return {x, true}; // arctan x = x (1 - x^2/3): rounds to x
    return RoundPair(PairKernel::Atan2(Exactly(x), Exactly(1)), AngleError);
}

// arctan(1/x) = arctan2(1, x) for x > 0; odd.
TRoundedResult ArcCot(double x) {
    CheckDomain(x == 0);
    return RoundPair(WithSign(PairKernel::Atan2(Exactly(1), Exactly(std::fabs(x))), x), AngleError);
}

// arccos(1/x): the angle whose cosine is 1/x and sine sqrt(x^2 - 1)/abs(x).
TRoundedResult ArcSec(double x) {
    if (std::fabs(x) < 1) RaiseInvalid();
    if (x == 1) return {0, true};
    return RoundPair(PairKernel::Atan2(RootOfSquareLessOne(x), Exactly(x < 0 ? -1 : 1)),
                     AngleError);
}

// arcsin(1/x): the angle whose sine is 1/x and cosine sqrt(x^2 - 1)/abs(x).
TRoundedResult ArcCsc(double x) {
    if (std::fabs(x) < 1) RaiseInvalid();
    return RoundPair(PairKernel::Atan2(Exactly(x < 0 ? -1 : 1), RootOfSquareLessOne(x)),
                     AngleError);
}

// On the axes the angle is exact or a rounded multiple of pi/2 (as atan2 gives it).
// Elsewhere both coordinates are scaled by one power of two into the range where
// the exact products of the division work (the angle does not change).
TRoundedResult ArcTan2(double y, double x) {
    if (y == 0 || x == 0) return {std::atan2(y, x), true};
    const double larger = std::fmax(std::fabs(y), std::fabs(x));
    const double scale = larger > PairRangeHigh  ? 1 / RangeScale
                         : larger < PairRangeLow ? RangeScale
                                                 : 1;
    const double ys = y * scale, xs = x * scale;
    // a coordinate this much smaller than the other has lost bits (or left the range)
    if (std::fmin(std::fabs(ys), std::fabs(xs)) < 0x1p-960) return Undecided;
    return RoundPair(PairKernel::Atan2(Exactly(ys), Exactly(xs)), AngleError);
}

} // namespace ZENTAVO_MATH_VARIANT
} // namespace Fast
