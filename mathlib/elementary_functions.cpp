// The elementary functions in double-double arithmetic: a domain check, then a
// short formula on the pair kernels, chosen so that no step cancels: half-angle
// forms for the versed functions, atan2 forms for the inverse circular functions,
// log1p forms near 0 and 1. Each result is a pair within a known bound of the
// exact value, and the correct rounding is decided from it (RoundPair).
#include "mathlib/elementary_functions.h"

#include <cmath>
#include <string>

#include "mathlib/math_errors.h"
#include "mathlib/pair_kernels.h"
#include "platform/floating_point.h"

inline namespace ZENTAVO_MATH_VARIANT {

namespace {

using DoubleDouble::TPair;
using namespace DoubleDouble;

// The bound of a routine made of one kernel, at least the kernel's own stated bound
// (see the kernels' ...Bound constants; the tightest, SinCosBound, equals it), and
// the wider one of a formula of a few kernels and pair operations.
constexpr double KernelError = 0x1p-66;
constexpr double FormulaError = 0x1p-64;

// An angle from Atan2 on coordinates each within 2^-100 of exact (doubles, or
// square roots of exact products as pairs).
constexpr double AngleError = PairKernel::AtanOfRatioBound + 0x1p-100;

// Arguments of the trigonometric kernel: beyond this the exact path reduces them.
constexpr double SinCosLimit = 0x1p28;

const TRoundedResult Undecided{0, false};

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

[[noreturn]] [[gnu::cold]] void RaiseInvalid() {
    RaiseFloatingPointFault(TFloatingPointFault::InvalidOp);
}

[[noreturn]] [[gnu::cold]] void RaiseZeroDivide() {
    RaiseFloatingPointFault(TFloatingPointFault::ZeroDivide);
}

inline TPair Exactly(double x) {
    return {x, 0};
}

// x with the sign of s.
inline TPair WithSign(TPair x, double s) {
    return s < 0 ? Negate(x) : x;
}

// 1 - x and 1 + x as pairs (exact).
inline TPair OneLess(double x) {
    return TwoSum(1, -x);
}
inline TPair OnePlus(double x) {
    return TwoSum(1, x);
}

// sqrt(1 - x^2) for abs(x) <= 1, from (1 - x)(1 + x).
inline TPair RootOfOneLessSquare(double x) {
    return Sqrt(Multiply(OneLess(x), OnePlus(x)));
}

// sqrt(x^2 - 1) for abs(x) >= 1, from (a - 1)(a + 1); beyond 2^500 it is abs(x)
// within 2^-1000 (and the square would overflow).
inline TPair RootOfSquareLessOne(double x) {
    const double a = std::fabs(x);
    if (a > 0x1p500) return Exactly(a);
    return Sqrt(Multiply(TwoSum(a, -1), TwoSum(a, 1)));
}

inline TPair Ln2() {
    return {Ln2Hi, Ln2Lo};
}

// Above this, arcsinh a and arccosh a are ln 2 + ln a within 1/(4a^2) < 2^-74.
constexpr double LargeHyperbolicArgument = 0x1p36;

// arcsinh of a pair a >= 0: a - a^3/6 below 2^-27 (the next term is below 2^-100),
// ln 2 + ln a for large a, else log1p(a + a^2/(1 + sqrt(1 + a^2))).
inline TPair ArcSinhOfMagnitude(TPair a) {
    if (a.Hi < 0x1p-27) return FastTwoSum(a.Hi, a.Lo - a.Hi * a.Hi * a.Hi / 6);
    if (a.Hi > LargeHyperbolicArgument) return Add(Ln2(), PairKernel::LnOfPair(a));
    const TPair square = Multiply(a, a);
    const TPair root = Sqrt(Add(Exactly(1), square));
    return PairKernel::Log1p(Add(a, Divide(square, Add(Exactly(1), root))));
}

} // namespace

// --- sin, cos, exp, ln -------------------------------------------------------------

TRoundedResult Sin(double x) {
    if (std::fabs(x) < 0x1p-26) return {x, true}; // sin x = x (1 - x^2/6): rounds to x
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 0);
    return s.Decided ? RoundPair(s.Value, KernelError) : Undecided;
}

TRoundedResult Cos(double x) {
    if (std::fabs(x) < 0x1p-27) return {1, true}; // cos x = 1 - x^2/2: rounds to 1
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 1);
    return s.Decided ? RoundPair(s.Value, KernelError) : Undecided;
}

TRoundedResult Exp(double x) {
    if (std::fabs(x) < 0x1p-54) return {1, true}; // e^x = 1 + x: rounds to 1
    if (!(std::fabs(x) < 700)) return Undecided;
    return RoundPair(PairKernel::Exp(x), KernelError);
}

TRoundedResult Ln(double x) {
    if (!(x > 0)) [[unlikely]] {
        if (x == 0) RaiseZeroDivide();
        RaiseInvalid();
    }
    if (x == 1) return {0, true};
    return RoundPair(PairKernel::Ln(x), KernelError);
}

// --- logarithms ------------------------------------------------------------------

TRoundedResult LogBase10(double x) {
    CheckDomain(x <= 0);
    if (x == 1) return {0, true};
    return RoundPair(Multiply(PairKernel::Ln(x), {Log10EHi, Log10ELo}), KernelError);
}

TRoundedResult LogBase2(double x) {
    CheckDomain(x <= 0);
    if (x == 1) return {0, true};
    return RoundPair(Multiply(PairKernel::Ln(x), {Log2EHi, Log2ELo}), KernelError);
}

TRoundedResult LogBaseN(double base, double x) {
    CheckDomain(x <= 0 || base <= 0 || base == 1);
    if (x == 1) return {0, true};
    return RoundPair(Divide(PairKernel::Ln(x), PairKernel::Ln(base)), FormulaError);
}

// --- trigonometric and versed functions -------------------------------------------

TRoundedResult Tan(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-27) return {x, true}; // tan x = x (1 + x^2/3): rounds to x
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    return sc.Decided ? RoundPair(Divide(sc.Sin, sc.Cos), FormulaError) : Undecided;
}

TRoundedResult Cot(double x) {
    CheckTrigArgument(x);
    if (x == 0) RaiseZeroDivide();
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < 0x1p-500) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    return sc.Decided ? RoundPair(Divide(sc.Cos, sc.Sin), FormulaError) : Undecided;
}

TRoundedResult Sec(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-27) return {1, true}; // sec x = 1 + x^2/2: rounds to 1
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSine c = PairKernel::SineOfQuarterTurns(x, 1);
    return c.Decided ? RoundPair(Divide(Exactly(1), c.Value), FormulaError) : Undecided;
}

// The sine of a double is 0 only at 0.
TRoundedResult Csc(double x) {
    CheckTrigArgument(x);
    CheckDomain(x == 0);
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < 0x1p-500) return Undecided;
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x, 0);
    return s.Decided ? RoundPair(Divide(Exactly(1), s.Value), FormulaError) : Undecided;
}

namespace {

// sin^2(x/2) as a pair, or undecided. Halving a double is exact except below
// 2^-1021, where every versed function is far below the smallest double anyway.
PairKernel::TSine HalfAngleSineSquared(double x) {
    if (!(std::fabs(x) < SinCosLimit) || std::fabs(x) < 0x1p-500) return {{0, 0}, false};
    const PairKernel::TSine s = PairKernel::SineOfQuarterTurns(x / 2, 0);
    return {Multiply(s.Value, s.Value), s.Decided};
}

} // namespace

// 1 - cos x = 2 sin^2(x/2).
TRoundedResult Versine(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    return h.Decided ? RoundPair({2 * h.Value.Hi, 2 * h.Value.Lo}, FormulaError) : Undecided;
}

// (1 - cos x) / 2 = sin^2(x/2).
TRoundedResult Haversine(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    return h.Decided ? RoundPair(h.Value, FormulaError) : Undecided;
}

// sec x - 1 = 2 sin^2(x/2) / cos x.
TRoundedResult Exsecans(double x) {
    CheckTrigArgument(x);
    const PairKernel::TSine h = HalfAngleSineSquared(x);
    if (!h.Decided) return Undecided;
    const PairKernel::TSine c = PairKernel::SineOfQuarterTurns(x, 1);
    if (!c.Decided) return Undecided;
    return RoundPair(Divide({2 * h.Value.Hi, 2 * h.Value.Lo}, c.Value), FormulaError);
}

// 1 - sin x; where sin x is positive it is cos^2 x / (1 + sin x).
TRoundedResult Coversine(double x) {
    CheckTrigArgument(x);
    if (std::fabs(x) < 0x1p-60) return RoundPair(OneLess(x), FormulaError);
    if (!(std::fabs(x) < SinCosLimit)) return Undecided;
    const PairKernel::TSinCos sc = PairKernel::SinAndCos(x);
    if (!sc.Decided) return Undecided;
    if (sc.Sin.Hi <= 0) return RoundPair(Add(Exactly(1), Negate(sc.Sin)), FormulaError);
    return RoundPair(Divide(Multiply(sc.Cos, sc.Cos), Add(Exactly(1), sc.Sin)), FormulaError);
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
    return RoundPair(WithSign(PairKernel::Atan2(Exactly(1), Exactly(std::fabs(x))), x),
                     AngleError);
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
    const double scale = larger > 0x1p500 ? 0x1p-600 : larger < 0x1p-500 ? 0x1p600 : 1;
    const double ys = y * scale, xs = x * scale;
    // a coordinate this much smaller than the other has lost bits (or left the range)
    if (std::fmin(std::fabs(ys), std::fabs(xs)) < 0x1p-960) return Undecided;
    return RoundPair(PairKernel::Atan2(Exactly(ys), Exactly(xs)), AngleError);
}

// --- hyperbolic functions ---------------------------------------------------------

namespace {

// sinh of a >= 0 as a pair: (u + u/(u + 1))/2 with u = e^a - 1 below 1, where the
// exponential would cancel, (E - 1/E)/2 with E = e^a above.
TPair SinhOfMagnitude(double a) {
    if (a < 1) {
        const TPair u = PairKernel::Expm1(a);
        const TPair s = Add(u, Divide(u, Add(u, Exactly(1))));
        return {s.Hi / 2, s.Lo / 2};
    }
    const TPair e = PairKernel::Exp(a);
    const TPair s = Add(e, Negate(Divide(Exactly(1), e)));
    return {s.Hi / 2, s.Lo / 2};
}

// cosh of a as a pair: (E + 1/E)/2.
TPair CoshOfMagnitude(double a) {
    const TPair e = PairKernel::Exp(a);
    const TPair s = Add(e, Divide(Exactly(1), e));
    return {s.Hi / 2, s.Lo / 2};
}

} // namespace

// Below 2^-27 sinh x = x (1 + x^2/6) rounds to x; beyond 709 the exact path decides
// (the overflow comes at 710.5).
TRoundedResult SinH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true};
    if (!(a < 709)) return Undecided;
    return RoundPair(WithSign(SinhOfMagnitude(a), x), KernelError);
}

TRoundedResult CosH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {1, true}; // cosh x = 1 + x^2/2: rounds to 1
    if (!(a < 709)) return Undecided;
    return RoundPair(CoshOfMagnitude(a), KernelError);
}

// u/(u + 2) with u = e^2a - 1; beyond 20 it is 1 - 2e^-2a, which rounds to 1.
TRoundedResult TanH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true}; // tanh x = x (1 - x^2/3): rounds to x
    if (a > 20) return {x < 0 ? -1.0 : 1.0, true};
    const TPair u = PairKernel::Expm1(2 * a);
    return RoundPair(WithSign(Divide(u, Add(u, Exactly(2))), x), KernelError);
}

// (u + 2)/u with u = e^2a - 1; beyond 20 it is 1 + 2e^-2a, which rounds to 1.
TRoundedResult CotH(double x) {
    if (x == 0) RaiseZeroDivide();
    const double a = std::fabs(x);
    if (a > 20) return {x < 0 ? -1.0 : 1.0, true};
    if (a < 0x1p-500) return Undecided; // about 1/x, which may overflow
    const TPair u = PairKernel::Expm1(2 * a);
    return RoundPair(WithSign(Divide(Add(u, Exactly(2)), u), x), KernelError);
}

// 2 / (e^a + e^-a); beyond 709 the exact path decides (below the range from 745).
TRoundedResult SecH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {1, true}; // sech x = 1 - x^2/2: rounds to 1
    if (!(a < 709)) return Undecided;
    return RoundPair(Divide(Exactly(1), CoshOfMagnitude(a)), KernelError);
}

TRoundedResult CscH(double x) {
    CheckDomain(x == 0);
    const double a = std::fabs(x);
    if (a < 0x1p-500 || !(a < 709)) return Undecided;
    return RoundPair(WithSign(Divide(Exactly(1), SinhOfMagnitude(a)), x), KernelError);
}

// --- inverse hyperbolic functions -------------------------------------------------

TRoundedResult ArcSinH(double x) {
    if (std::fabs(x) < 0x1p-27) return {x, true}; // arcsinh x = x (1 - x^2/6): rounds to x
    return RoundPair(WithSign(ArcSinhOfMagnitude(Exactly(std::fabs(x))), x), FormulaError);
}

// ln(x + sqrt(x^2 - 1)) = log1p(t + sqrt(t (t + 2))) with t = x - 1 (exact below
// 2^53), or ln 2 + ln x where x^2 dwarfs 1.
TRoundedResult ArcCosH(double x) {
    CheckDomain(x < 1);
    if (x == 1) return {0, true};
    if (x > LargeHyperbolicArgument) return RoundPair(Add(Ln2(), PairKernel::Ln(x)), FormulaError);
    const TPair t = Exactly(x - 1);
    const TPair root = Sqrt(Multiply(t, TwoSum(t.Hi, 2)));
    return RoundPair(PairKernel::Log1p(Add(t, root)), FormulaError);
}

// ln((1 + a)/(1 - a)) / 2 = log1p(2a/(1 - a)) / 2, odd.
TRoundedResult ArcTanH(double x) {
    CheckDomain(std::fabs(x) >= 1);
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true}; // arctanh x = x (1 + x^2/3): rounds to x
    const TPair l = PairKernel::Log1p(Divide(Exactly(2 * a), OneLess(a)));
    return RoundPair(WithSign({l.Hi / 2, l.Lo / 2}, x), FormulaError);
}

// ln((x + 1)/(x - 1)) / 2 = log1p(2 / (abs(x) - 1)) / 2, odd; abs(x) < 1 takes the
// logarithm of a number below 0.
TRoundedResult ArcCotH(double x) {
    const double a = std::fabs(x);
    CheckDomain(a == 1);
    if (a < 1) RaiseInvalid();
    const TPair l = PairKernel::Log1p(Divide(Exactly(2), TwoSum(a, -1)));
    return RoundPair(WithSign({l.Hi / 2, l.Lo / 2}, x), FormulaError);
}

// ln((1 + sqrt(1 - x^2)) / x) = log1p((1 - x + sqrt(1 - x^2)) / x); a negative x
// takes the logarithm of a negative number.
TRoundedResult ArcSecH(double x) {
    CheckDomain(std::fabs(x) > 1);
    if (x == 0) RaiseZeroDivide(); // ln(2/0), for -0 as well
    if (x < 0) RaiseInvalid();
    if (x == 1) return {0, true};
    const TPair v = Divide(Add(OneLess(x), RootOfOneLessSquare(x)), Exactly(x));
    return RoundPair(PairKernel::Log1p(v), FormulaError);
}

// arcsinh(1/x).
TRoundedResult ArcCscH(double x) {
    CheckDomain(x == 0);
    const double a = std::fabs(x);
    if (a < 0x1p-1000 || a > 0x1p1000) return Undecided;
    return RoundPair(WithSign(ArcSinhOfMagnitude(Divide(Exactly(1), Exactly(a))), x), FormulaError);
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
    const TPair l = PairKernel::Ln(std::fabs(base));
    TPair t = TwoProduct(exponent, l.Hi);
    t.Lo += exponent * l.Lo;
    if (!(std::fabs(t.Hi) < 700)) return Undecided;
    TPair v = PairKernel::Exp(t.Hi, t.Lo);
    if (base < 0 && std::fmod(exponent, 2.0) != 0) v = Negate(v);
    return RoundPair(v, KernelError + std::fabs(t.Hi) * 0x1p-67);
}

// sqrt(x^2 + y^2) with the squares exact as pairs, scaled by a power of two where
// they would leave the double range.
TRoundedResult Pythag(double x, double y) {
    double a = std::fabs(x), b = std::fabs(y);
    const double larger = a > b ? a : b;
    if (larger == 0) return {0, true};
    double scale = 1;
    if (larger > 0x1p500) {
        scale = 0x1p600;
        a *= 0x1p-600;
        b *= 0x1p-600;
    } else if (larger < 0x1p-500) {
        scale = 0x1p-600;
        a *= 0x1p600;
        b *= 0x1p600;
    }
    const TPair root = Sqrt(Add(TwoProduct(a, a), TwoProduct(b, b)));
    return RoundPair({root.Hi * scale, root.Lo * scale}, FormulaError);
}

} // namespace ZENTAVO_MATH_VARIANT
