// The exponential, logarithmic and hyperbolic functions, the power and the
// Pythagorean sum in double-double arithmetic: a domain check, then a short formula
// on the pair kernels, chosen so that no step cancels (log1p forms near 0 and 1).
// Each result is a pair within a known bound of the exact value, and the correct
// rounding is decided from it (RoundPair). The circular functions are in
// trigonometric_functions.cpp.
#include "mathlib/routine_support.h"

namespace Fast {
inline namespace ZENTAVO_MATH_VARIANT {

namespace {

using DoubleDouble::TPair;
using namespace DoubleDouble;

inline TPair Ln2() {
    return {Ln2Hi, Ln2Lo};
}

// Above this, arcsinh a and arccosh a are ln 2 + ln a within 1/(4a^2) < 2^-82.
constexpr double LargeHyperbolicArgument = 0x1p40;

// arcsinh of a pair a >= 0: a - a^3/6 + 3a^5/40 below 2^-20 (the next term is
// below 2^-120 of a), ln 2 + ln a for large a, else ln(a + sqrt(1 + a^2)), a pair
// of at least 1 + 2^-20 whose logarithm keeps its 2^-102.
inline TPair ArcSinhOfMagnitude(TPair a) {
    if (a.Hi < 0x1p-20) {
        const double a2 = a.Hi * a.Hi;
        return FastTwoSum(a.Hi, a.Lo + a.Hi * a2 * (-1.0 / 6 + a2 * 0.075));
    }
    if (a.Hi > LargeHyperbolicArgument) return Add(Ln2(), PairKernel::LnOfPair(a));
    const TPair root = Sqrt(Add(Exactly(1), Multiply(a, a)));
    return PairKernel::LnOfPair(Add(a, root));
}

} // namespace

// --- exp and ln ---------------------------------------------------------------------

TRoundedResult Exp(double x) {
    if (std::fabs(x) < 0x1p-54) return {1, true}; // e^x = 1 + x: rounds to 1
    if (!(std::fabs(x) < ExpArgumentLimit)) return Undecided;
    return RoundPair(PairKernel::Exp(x), PairKernel::ExpBound);
}

TRoundedResult Ln(double x) {
    if (!(x > 0)) [[unlikely]] {
        if (x == 0) RaiseZeroDivide();
        RaiseInvalid();
    }
    if (x == 1) return {0, true};
    return RoundPair(PairKernel::Ln(x), LogError);
}

// --- logarithms ------------------------------------------------------------------

TRoundedResult LogBase10(double x) {
    CheckDomain(x <= 0);
    if (x == 1) return {0, true};
    return RoundPair(Multiply(PairKernel::Ln(x), {Log10EHi, Log10ELo}), LogError);
}

TRoundedResult LogBase2(double x) {
    CheckDomain(x <= 0);
    if (x == 1) return {0, true};
    return RoundPair(Multiply(PairKernel::Ln(x), {Log2EHi, Log2ELo}), LogError);
}

TRoundedResult LogBaseN(double base, double x) {
    CheckDomain(x <= 0 || base <= 0 || base == 1);
    if (x == 1) return {0, true};
    return RoundPair(Divide(PairKernel::Ln(x), PairKernel::Ln(base)), 2 * LogError);
}

// --- hyperbolic functions ---------------------------------------------------------

namespace {

// Beyond this e^-a is below 2^-106 of e^a: sinh a and cosh a are e^a/2, and their
// reciprocals 2e^-a (no division by a number near the top of the range, where the
// portable exact product would overflow).
constexpr double LargeExpArgument = 37;

// sinh of a >= 0 as a pair: (u + u/(u + 1))/2 with u = e^a - 1 below 1, where the
// exponential would cancel, (E - 1/E)/2 with E = e^a above.
TPair SinhOfMagnitude(double a) {
    if (a < 1) {
        const TPair u = PairKernel::Expm1(a);
        const TPair s = Add(u, Divide(u, Add(u, Exactly(1))));
        return {s.Hi / 2, s.Lo / 2};
    }
    const TPair e = PairKernel::Exp(a);
    if (a > LargeExpArgument) return {e.Hi / 2, e.Lo / 2};
    const TPair s = Add(e, Negate(Divide(Exactly(1), e)));
    return {s.Hi / 2, s.Lo / 2};
}

// 2e^-a for a > LargeExpArgument, inside the exponential's range (results of
// 2^-1000 and more).
TRoundedResult TwiceExpOfMinus(double a, double sign) {
    if (a > 693) return Undecided;
    const TPair e = PairKernel::Exp(-a);
    return RoundPair({2 * sign * e.Hi, 2 * sign * e.Lo}, PairKernel::ExpBound);
}

// cosh of a as a pair: (E + 1/E)/2.
TPair CoshOfMagnitude(double a) {
    const TPair e = PairKernel::Exp(a);
    if (a > LargeExpArgument) return {e.Hi / 2, e.Lo / 2};
    const TPair s = Add(e, Divide(Exactly(1), e));
    return {s.Hi / 2, s.Lo / 2};
}

} // namespace

// Below 2^-27 sinh x = x (1 + x^2/6) rounds to x; beyond 709 the exact path decides
// (the overflow comes at 710.5).
TRoundedResult SinH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true};
    if (!(a < HyperbolicArgumentLimit)) return Undecided;
    return RoundPair(WithSign(SinhOfMagnitude(a), x), HyperbolicError);
}

TRoundedResult CosH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {1, true}; // cosh x = 1 + x^2/2: rounds to 1
    if (!(a < HyperbolicArgumentLimit)) return Undecided;
    return RoundPair(CoshOfMagnitude(a), HyperbolicError);
}

// u/(u + 2) with u = e^2a - 1; beyond 20 it is 1 - 2e^-2a, which rounds to 1.
TRoundedResult TanH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true}; // tanh x = x (1 - x^2/3): rounds to x
    if (a > 20) return {x < 0 ? -1.0 : 1.0, true};
    const TPair u = PairKernel::Expm1(2 * a);
    return RoundPair(WithSign(Divide(u, Add(u, Exactly(2))), x), HyperbolicError);
}

// (u + 2)/u with u = e^2a - 1; beyond 20 it is 1 + 2e^-2a, which rounds to 1.
TRoundedResult CotH(double x) {
    if (x == 0) RaiseZeroDivide();
    const double a = std::fabs(x);
    if (a > 20) return {x < 0 ? -1.0 : 1.0, true};
    if (a < PairRangeLow) return Undecided; // about 1/x, which may overflow
    const TPair u = PairKernel::Expm1(2 * a);
    return RoundPair(WithSign(Divide(Add(u, Exactly(2)), u), x), HyperbolicError);
}

// 2 / (e^a + e^-a); beyond 709 the exact path decides (below the range from 745).
TRoundedResult SecH(double x) {
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {1, true}; // sech x = 1 - x^2/2: rounds to 1
    if (!(a < HyperbolicArgumentLimit)) return Undecided;
    if (a > LargeExpArgument) return TwiceExpOfMinus(a, 1);
    return RoundPair(Divide(Exactly(1), CoshOfMagnitude(a)), HyperbolicError);
}

TRoundedResult CscH(double x) {
    CheckDomain(x == 0);
    const double a = std::fabs(x);
    if (a < PairRangeLow || !(a < HyperbolicArgumentLimit)) return Undecided;
    if (a > LargeExpArgument) return TwiceExpOfMinus(a, x < 0 ? -1 : 1);
    return RoundPair(WithSign(Divide(Exactly(1), SinhOfMagnitude(a)), x), HyperbolicError);
}

// --- inverse hyperbolic functions -------------------------------------------------

TRoundedResult ArcSinH(double x) {
    if (std::fabs(x) < 0x1p-27) return {x, true}; // arcsinh x = x (1 - x^2/6): rounds to x
    return RoundPair(WithSign(ArcSinhOfMagnitude(Exactly(std::fabs(x))), x),
                     InverseHyperbolicError);
}

// ln(x + sqrt(x^2 - 1)) = log1p(t + sqrt(t (t + 2))) with t = x - 1 (exact below
// 2^53), or ln 2 + ln x where x^2 dwarfs 1.
TRoundedResult ArcCosH(double x) {
    CheckDomain(x < 1);
    if (x == 1) return {0, true};
    if (x > LargeHyperbolicArgument)
        return RoundPair(Add(Ln2(), PairKernel::Ln(x)), InverseHyperbolicError);
    const TPair t = Exactly(x - 1);
    const TPair root = Sqrt(Multiply(t, TwoSum(t.Hi, 2)));
    return RoundPair(PairKernel::Log1p(Add(t, root)), InverseHyperbolicError);
}

// ln((1 + a)/(1 - a)) / 2, odd.
TRoundedResult ArcTanH(double x) {
    CheckDomain(std::fabs(x) >= 1);
    const double a = std::fabs(x);
    if (a < 0x1p-27) return {x, true}; // arctanh x = x (1 + x^2/3): rounds to x
    // (ln(1 + a) - ln(1 - a)) / 2: a sum of two magnitudes (ln(1 - a) < 0), each
    // logarithm of an exact pair, the two independent of each other
    const TPair l = Add(PairKernel::LnOfPair(OnePlus(a)), Negate(PairKernel::LnOfPair(OneLess(a))));
    return RoundPair(WithSign({l.Hi / 2, l.Lo / 2}, x), LogError);
}

// ln((x + 1)/(x - 1)) / 2 = log1p(2 / (abs(x) - 1)) / 2, odd; abs(x) < 1 takes the
// logarithm of a number below 0.
TRoundedResult ArcCotH(double x) {
    const double a = std::fabs(x);
    CheckDomain(a == 1);
    if (a < 1) RaiseInvalid();
    const TPair l = PairKernel::Log1p(Divide(Exactly(2), TwoSum(a, -1)));
    return RoundPair(WithSign({l.Hi / 2, l.Lo / 2}, x), InverseHyperbolicError);
}

// ln((1 + sqrt(1 - x^2)) / x) = log1p((1 - x + sqrt(1 - x^2)) / x); a negative x
// takes the logarithm of a negative number.
TRoundedResult ArcSecH(double x) {
    CheckDomain(std::fabs(x) > 1);
    if (x == 0) RaiseZeroDivide(); // ln(2/0), for -0 as well
    if (x < 0) RaiseInvalid();
    if (x == 1) return {0, true};
    const TPair v = Divide(Add(OneLess(x), RootOfOneLessSquare(x)), Exactly(x));
    return RoundPair(PairKernel::Log1p(v), InverseHyperbolicError);
}

// arcsinh(1/x).
TRoundedResult ArcCscH(double x) {
    CheckDomain(x == 0);
    const double a = std::fabs(x);
    if (a < 0x1p-1000 || a > 0x1p1000) return Undecided;
    return RoundPair(WithSign(ArcSinhOfMagnitude(Divide(Exactly(1), Exactly(a))), x),
                     InverseHyperbolicError);
}

// --- power and Pythagorean sum ----------------------------------------------------

// e^(y ln b) with t = y ln b carried as a pair. Its absolute error is abs(t)
// times ln's relative bound (the product adds 2^-106 of t), which e^t turns into
// a relative error: the bound grows with abs(t).
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
    if (!(std::fabs(t.Hi) < ExpArgumentLimit)) return Undecided;
    TPair v = PairKernel::Exp(t.Hi, t.Lo);
    if (base < 0 && std::fmod(exponent, 2.0) != 0) v = Negate(v);
    return RoundPair(v, PairKernel::ExpBound + std::fabs(t.Hi) * LogError);
}

// sqrt(x^2 + y^2) with the squares exact as pairs, scaled by a power of two where
// they would leave the double range.
TRoundedResult Pythag(double x, double y) {
    double a = std::fabs(x), b = std::fabs(y);
    const double larger = a > b ? a : b;
    if (larger == 0) return {0, true};
    double scale = 1;
    if (larger > PairRangeHigh) {
        scale = RangeScale;
        a *= 1 / RangeScale;
        b *= 1 / RangeScale;
    } else if (larger < PairRangeLow) {
        scale = 1 / RangeScale;
        a *= RangeScale;
        b *= RangeScale;
    }
    const TPair root = Sqrt(Add(TwoProduct(a, a), TwoProduct(b, b)));
    return RoundPair({root.Hi * scale, root.Lo * scale}, RootError);
}

} // namespace ZENTAVO_MATH_VARIANT
} // namespace Fast
