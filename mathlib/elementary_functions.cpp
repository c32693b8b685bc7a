// The elementary functions in extended precision: a domain check, then a short
// formula on the kernels, chosen so that no step cancels: half-angle forms for the
// versed functions, atan2 forms for the inverse circular functions, expm1 and
// log1p forms near 0 and 1.
#include "mathlib/elementary_functions.h"

#include <cmath>
#include <limits>
#include <string>

#include "mathlib/exact_functions.h"
#include "mathlib/extended_kernels.h"
#include "mathlib/kernel_constants.h"
#include "mathlib/math_errors.h"
#include "mathlib/pair_kernels.h"

namespace {

constexpr Extended Infinity = std::numeric_limits<Extended>::infinity();

// The pair kernels' error, about 2^-69 relative, with room to spare.
constexpr double PairErrorBound = 0x1p-66;

[[noreturn]] [[gnu::cold]] void Refuse(std::string_view message) {
    throw EMathLibError(std::string(message));
}

// Raises the domain error when the argument is refused.
inline void CheckDomain(bool refused) {
    if (refused) [[unlikely]]
        Refuse(MathLibMessages::DomainCheck);
}

inline void CheckTrigArgument(double x) {
    CheckDomain(std::fabs(x) > TrigArgumentLimit);
}

// sin and cos by the extended kernel; undecided beyond its reach.
inline TSinCos SinCosOf(double x) {
    if (!(std::fabs(x) < SinCosLimit)) return {0, 0, false};
    return SinCosKernel(x);
}

// sin and cos of x/2: halving a double is exact except below 2^-1021, where every
// versed function is far below the smallest double anyway.
inline TSinCos HalfAngle(double x) {
    return SinCosOf(x / 2);
}

// sqrt(x^2 - 1) for abs(x) >= 1, without cancellation near 1 and without overflow;
// for abs(x) < 1 it is an invalid operation.
inline Extended RootOfSquareLessOne(Extended x) {
    const Extended a = std::fabs(x);
    return std::sqrt((a - 1) * (a + 1));
}

// sqrt(1 - x^2) for abs(x) <= 1; 1 - x and 1 + x are exact near the ends.
inline Extended RootOfOneLessSquare(Extended x) {
    return std::sqrt((1 - x) * (1 + x));
}

inline Extended Round(TWide w) {
    return w.Hi + w.Lo;
}

// ln x + ln 2, for the inverse hyperbolic functions of large arguments.
inline Extended LnOfTwice(TWide l) {
    const TWide s = TwoSum(l.Hi, Ln2Hi);
    return s.Hi + (s.Lo + l.Lo + Ln2Lo);
}

// sinh of a >= 0: (u + u/(u + 1))/2 with u = e^a - 1 below 1, (E - 1/E)/2 above.
inline Extended SinhOfMagnitude(double a) {
    if (a < 1) {
        const Extended u = Expm1Kernel(a);
        return (u + u / (u + 1)) / 2;
    }
    const Extended e = ExpKernel(a);
    return (e - 1 / e) / 2;
}

// arcsinh of a >= 0: ln(2a) where a^2 dwarfs 1, else log1p(a + a^2/(1 + sqrt(1 + a^2))).
inline Extended ArcSinhOfMagnitude(Extended a) {
    if (a > 0x1p33L) return LnOfTwice(LogWide(a));
    return Log1pKernel(a + a * a / (1 + std::sqrt(1 + a * a)));
}

} // namespace

TRoundedResult Sin(double x) {
    if (std::fabs(x) < 0x1p-26) return {x, true}; // sin x = x (1 - x^2/6): rounds to x
    if (!(std::fabs(x) < SinCosLimit)) return {0, false};
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 0);
    if (!s.Decided) return {0, false};
    return RoundPair(s.Value, PairErrorBound);
}

TRoundedResult Cos(double x) {
    if (std::fabs(x) < 0x1p-27) return {1, true}; // cos x = 1 - x^2/2: rounds to 1
    if (!(std::fabs(x) < SinCosLimit)) return {0, false};
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 1);
    if (!s.Decided) return {0, false};
    return RoundPair(s.Value, PairErrorBound);
}

TRoundedResult Exp(double x) {
    if (std::fabs(x) < 0x1p-54) return {1, true}; // e^x = 1 + x: rounds to 1
    if (!(std::fabs(x) < 700)) return {0, false};
    return RoundPair(PairKernel::Exp(x), PairErrorBound);
}

TRoundedResult Ln(double x) {
    if (!(x > 0)) [[unlikely]]
        RaiseFloatingPointFault(x == 0 ? TFloatingPointFault::ZeroDivide
                                       : TFloatingPointFault::InvalidOp);
    if (x == 1) return {0, true};
    return RoundPair(PairKernel::Ln(x), PairErrorBound);
}

// --- logarithms ------------------------------------------------------------------

Extended LogBase10(double x) {
    CheckDomain(x <= 0);
    return Round(MultiplyWide(LogOfDouble(x), {Log10EHi, Log10ELo}));
}

Extended LogBase2(double x) {
    CheckDomain(x <= 0);
    return Round(MultiplyWide(LogOfDouble(x), {Log2EHi, Log2ELo}));
}

Extended LogBaseN(double base, double x) {
    CheckDomain(x <= 0 || base <= 0 || base == 1);
    return Round(LogOfDouble(x)) / Round(LogOfDouble(base));
}

// --- trigonometric and versed functions -------------------------------------------

Extended Tan(double x) {
    CheckTrigArgument(x);
    const TSinCos sc = SinCosOf(x);
    return sc.Decided ? sc.Sin / sc.Cos : Exact::Tan(x);
}

Extended Cot(double x) {
    CheckTrigArgument(x);
    if (x == 0) return 1 / static_cast<Extended>(x); // the division by zero
    const TSinCos sc = SinCosOf(x);
    return sc.Decided ? sc.Cos / sc.Sin : Exact::Cot(x);
}

Extended Sec(double x) {
    CheckTrigArgument(x);
    const TSinCos sc = SinCosOf(x);
    return sc.Decided ? 1 / sc.Cos : Exact::Sec(x);
}

// The sine of a double is 0 only at 0.
Extended Csc(double x) {
    CheckTrigArgument(x);
    CheckDomain(x == 0);
    const TSinCos sc = SinCosOf(x);
    return sc.Decided ? 1 / sc.Sin : Exact::Csc(x);
}

// 1 - cos x = 2 sin^2(x/2).
Extended Versine(double x) {
    CheckTrigArgument(x);
    const TSinCos half = HalfAngle(x);
    return half.Decided ? 2 * half.Sin * half.Sin : Exact::Versine(x);
}

// 1 - sin x; where sin x is positive it is cos^2 x / (1 + sin x).
Extended Coversine(double x) {
    CheckTrigArgument(x);
    const TSinCos sc = SinCosOf(x);
    if (!sc.Decided) return Exact::Coversine(x);
    if (sc.Sin <= 0) return 1 - sc.Sin;
    return sc.Cos * sc.Cos / (1 + sc.Sin);
}

// (1 - cos x) / 2 = sin^2(x/2).
Extended Haversine(double x) {
    CheckTrigArgument(x);
    const TSinCos half = HalfAngle(x);
    return half.Decided ? half.Sin * half.Sin : Exact::Haversine(x);
}

// sec x - 1 = 2 sin^2(x/2) / cos x.
Extended Exsecans(double x) {
    CheckTrigArgument(x);
    const TSinCos half = HalfAngle(x);
    const TSinCos whole = SinCosOf(x);
    if (!half.Decided || !whole.Decided) return Exact::Exsecans(x);
    return 2 * half.Sin * half.Sin / whole.Cos;
}

// --- inverse trigonometric functions ----------------------------------------------

Extended ArcSin(double x) {
    CheckDomain(std::fabs(x) > 1);
    return Atan2Kernel(x, RootOfOneLessSquare(x));
}

Extended ArcCos(double x) {
    CheckDomain(std::fabs(x) > 1);
    return Atan2Kernel(RootOfOneLessSquare(x), x);
}

Extended ArcTan(double x) {
    return Atan2Kernel(x, 1);
}

// arctan(1/x) = arctan2(1, x) for x > 0; odd.
Extended ArcCot(double x) {
    CheckDomain(x == 0);
    const Extended angle = Atan2Kernel(1, std::fabs(x));
    return x < 0 ? -angle : angle;
}

// arccos(1/x): the angle whose cosine is 1/x and sine sqrt(x^2 - 1)/abs(x).
Extended ArcSec(double x) {
    return Atan2Kernel(RootOfSquareLessOne(x), std::copysign(Extended(1), x));
}

// arcsin(1/x): the angle whose sine is 1/x and cosine sqrt(x^2 - 1)/abs(x).
Extended ArcCsc(double x) {
    return Atan2Kernel(std::copysign(Extended(1), x), RootOfSquareLessOne(x));
}

Extended ArcTan2(double y, double x) {
    return Atan2Kernel(y, x);
}

// --- hyperbolic functions ---------------------------------------------------------

// Below 2^-33 sinh x = x to within 2^-68, so the double x is the rounded result.
Extended SinH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-33) return x;
    const Extended s = SinhOfMagnitude(a);
    return x < 0 ? -s : s;
}

Extended CosH(double x) {
    const Extended e = ExpKernel(std::fabs(x));
    return (e + 1 / e) / 2;
}

// u/(u + 2) with u = e^2a - 1; 1 to within 2^-115 beyond 40.
Extended TanH(double x) {
    const double a = std::fabs(x);
    Extended t = 1;
    if (a <= 40) {
        const Extended u = Expm1Kernel(2 * a);
        t = u / (u + 2);
    }
    return x < 0 ? -t : t;
}

Extended CotH(double x) {
    if (x == 0) return 1 / static_cast<Extended>(x); // the division by zero
    const double a = std::fabs(x);
    Extended t = 1;
    if (a <= 40) {
        const Extended u = Expm1Kernel(2 * a);
        t = (u + 2) / u;
    }
    return x < 0 ? -t : t;
}

// 2 / (e^a + e^-a) = 2E / (1 + E^2) with E = e^-abs(x) <= 1: no overflow, and a
// result below the range becomes 0 quietly.
Extended SecH(double x) {
    const Extended e = ExpKernel(-std::fabs(x));
    return 2 * e / (1 + e * e);
}

Extended CscH(double x) {
    CheckDomain(x == 0);
    const Extended s = 1 / SinhOfMagnitude(std::fabs(x));
    return x < 0 ? -s : s;
}

// --- inverse hyperbolic functions -------------------------------------------------

Extended ArcSinH(double x) {
    const Extended s = ArcSinhOfMagnitude(std::fabs(static_cast<Extended>(x)));
    return x < 0 ? -s : s;
}

// ln(x + sqrt(x^2 - 1)) = log1p(t + sqrt(t (t + 2))) with t = x - 1 (exact).
Extended ArcCosH(double x) {
    CheckDomain(x < 1);
    if (x > 0x1p33) return LnOfTwice(LogOfDouble(x));
    const Extended t = static_cast<Extended>(x) - 1;
    return Log1pKernel(t + std::sqrt(t * (t + 2)));
}

// ln((1 + a)/(1 - a)) / 2 = log1p(2a/(1 - a)) / 2, odd.
Extended ArcTanH(double x) {
    CheckDomain(std::fabs(x) >= 1);
    const Extended a = std::fabs(static_cast<Extended>(x));
    const Extended t = Log1pKernel(2 * a / (1 - a)) / 2;
    return x < 0 ? -t : t;
}

// ln((x + 1)/(x - 1)) / 2 = log1p(2 / (abs(x) - 1)) / 2, odd; abs(x) < 1 takes the
// logarithm of a number below 0.
Extended ArcCotH(double x) {
    CheckDomain(std::fabs(x) == 1);
    const Extended t = Log1pKernel(2 / (std::fabs(static_cast<Extended>(x)) - 1)) / 2;
    return x < 0 ? -t : t;
}

// ln((1 + sqrt(1 - x^2)) / x) = log1p((1 - x + sqrt(1 - x^2)) / x); a negative x
// takes the logarithm of a negative number.
Extended ArcSecH(double x) {
    CheckDomain(std::fabs(x) > 1);
    if (x == 0) return Infinity; // ln(2/0): the division by zero, for -0 as well
    const Extended e = x;
    return Log1pKernel((1 - e + RootOfOneLessSquare(e)) / e);
}

// arcsinh(1/x).
Extended ArcCscH(double x) {
    CheckDomain(x == 0);
    const Extended s = ArcSinhOfMagnitude(1 / std::fabs(static_cast<Extended>(x)));
    return x < 0 ? -s : s;
}

// --- power and Pythagorean sum ----------------------------------------------------

// e^(y ln b) with t = y ln b carried as a pair. Its absolute error grows with its
// size (about 2^-70 of it), and so does the bound the rounding is decided with.
TRoundedResult Power(double base, double exponent) {
    if (exponent == 0 || base == 1) return {1, true};
    if (base == 0) {
        if (exponent > 0) return {0, true};
        Refuse(MathLibMessages::PowerInfinite);
    }
    const bool integral = exponent == std::trunc(exponent);
    if (base < 0 && !integral) Refuse(MathLibMessages::PowerComplex);
    const DoubleDouble::TPair l = PairKernel::Ln(std::fabs(base));
    DoubleDouble::TPair t = DoubleDouble::TwoProduct(exponent, l.Hi);
    t.Lo += exponent * l.Lo;
    if (!(std::fabs(t.Hi) < 700)) return {0, false};
    DoubleDouble::TPair v = PairKernel::Exp(t.Hi, t.Lo);
    if (base < 0 && std::fmod(exponent, 2.0) != 0) v = {-v.Hi, -v.Lo};
    return RoundPair(v, PairErrorBound + std::fabs(t.Hi) * 0x1p-67);
}

Extended Pythag(double x, double y) {
    const Extended ex = x, ey = y;
    return std::sqrt(ex * ex + ey * ey);
}
