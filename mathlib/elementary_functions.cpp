// The elementary functions in extended precision. Each routine is a domain check
// followed by a short formula on the C library's long double functions, chosen so
// that no step cancels: half-angle forms for the versed functions, atan2 forms for
// the inverse circular functions, log1p/expm1 forms near 0 and 1.
#include "mathlib/elementary_functions.h"

#include <cmath>
#include <string>

#include "mathlib/math_errors.h"

namespace {

[[noreturn]] [[gnu::cold]] void Refuse(std::string_view message) {
    throw EMathLibError(std::string(message));
}

// Raises the domain error when the argument is refused.
inline void CheckDomain(bool refused) {
    if (refused) [[unlikely]]
        Refuse(MathLibMessages::DomainCheck);
}

inline void CheckTrigArgument(Extended x) {
    CheckDomain(std::fabs(x) > TrigArgumentLimit);
}

// sqrt(x^2 - 1) for abs(x) >= 1, without cancellation near 1 and without overflow;
// for abs(x) < 1 it is an invalid operation.
inline Extended RootOfSquareLessOne(Extended x) {
    const Extended a = std::fabs(x);
    return std::sqrt(a - 1) * std::sqrt(a + 1);
}

// sqrt(1 - x^2) for abs(x) <= 1; 1 - x and 1 + x are exact near the ends.
inline Extended RootOfOneLessSquare(Extended x) {
    return std::sqrt((1 - x) * (1 + x));
}

} // namespace

Extended Sin(Extended x) {
    return std::sin(x);
}

Extended Cos(Extended x) {
    return std::cos(x);
}

Extended Exp(Extended x) {
    return std::exp(x);
}

Extended Ln(Extended x) {
    return std::log(x);
}

Extended Square(Extended x) {
    return x * x;
}

Extended Sqrt(Extended x) {
    return std::sqrt(x);
}

Extended Abs(Extended x) {
    return std::fabs(x);
}

// --- logarithms ------------------------------------------------------------------

Extended LogBase10(Extended x) {
    CheckDomain(x <= 0);
    return std::log10(x);
}

Extended LogBase2(Extended x) {
    CheckDomain(x <= 0);
    return std::log2(x);
}

Extended LogBaseN(Extended base, Extended x) {
    CheckDomain(x <= 0 || base <= 0 || base == 1);
    return std::log2(x) / std::log2(base);
}

// --- trigonometric and versed functions -------------------------------------------

Extended CheckedSin(Extended x) {
    CheckTrigArgument(x);
    return std::sin(x);
}

Extended CheckedCos(Extended x) {
    CheckTrigArgument(x);
    return std::cos(x);
}

Extended Tan(Extended x) {
    CheckTrigArgument(x);
    return std::tan(x);
}

Extended Cot(Extended x) {
    CheckTrigArgument(x);
    return 1 / std::tan(x);
}

Extended Sec(Extended x) {
    CheckTrigArgument(x);
    return 1 / std::cos(x);
}

Extended Csc(Extended x) {
    const Extended s = CheckedSin(x);
    CheckDomain(s == 0);
    return 1 / s;
}

// 1 - cos x = 2 sin^2(x/2).
Extended Versine(Extended x) {
    CheckTrigArgument(x);
    const Extended h = std::sin(x / 2);
    return 2 * h * h;
}

// 1 - sin x; where sin x is near 1 it is cos^2 x / (1 + sin x).
Extended Coversine(Extended x) {
    CheckTrigArgument(x);
    const Extended s = std::sin(x);
    if (s <= 0) return 1 - s;
    const Extended c = std::cos(x);
    return c * c / (1 + s);
}

// (1 - cos x) / 2 = sin^2(x/2).
Extended Haversine(Extended x) {
    CheckTrigArgument(x);
    const Extended h = std::sin(x / 2);
    return h * h;
}

// sec x - 1 = 2 sin^2(x/2) / cos x.
Extended Exsecans(Extended x) {
    CheckTrigArgument(x);
    const Extended h = std::sin(x / 2);
    return 2 * h * h / std::cos(x);
}

// --- inverse trigonometric functions ----------------------------------------------

Extended ArcSin(Extended x) {
    CheckDomain(std::fabs(x) > 1);
    return std::atan2(x, RootOfOneLessSquare(x));
}

Extended ArcCos(Extended x) {
    CheckDomain(std::fabs(x) > 1);
    return std::atan2(RootOfOneLessSquare(x), x);
}

Extended ArcTan(Extended x) {
    return std::atan(x);
}

Extended ArcCot(Extended x) {
    CheckDomain(x == 0);
    return std::atan(1 / x);
}

// arccos(1/x): the angle whose cosine is 1/x and sine sqrt(x^2 - 1)/abs(x).
Extended ArcSec(Extended x) {
    return std::atan2(RootOfSquareLessOne(x), std::copysign(Extended(1), x));
}

// arcsin(1/x): the angle whose sine is 1/x and cosine sqrt(x^2 - 1)/abs(x).
Extended ArcCsc(Extended x) {
    return std::atan2(std::copysign(Extended(1), x), RootOfSquareLessOne(x));
}

Extended ArcTan2(Extended y, Extended x) {
    return std::atan2(y, x);
}

// --- hyperbolic functions ---------------------------------------------------------

Extended SinH(Extended x) {
    return std::sinh(x);
}

Extended CosH(Extended x) {
    return std::cosh(x);
}

Extended TanH(Extended x) {
    return std::tanh(x);
}

Extended CotH(Extended x) {
    return 1 / std::tanh(x);
}

// 2 / (e^a + e^-a) = 2E / (1 + E^2) with E = e^-abs(x) <= 1: no overflow, and a
// result below the range becomes 0 quietly.
Extended SecH(Extended x) {
    const Extended e = std::exp(-std::fabs(x));
    return 2 * e / (1 + e * e);
}

// 2 / (e^a - e^-a) = 2E / ((1 - E)(1 + E)) with E = e^-abs(x), 1 - E = -expm1(-a).
Extended CscH(Extended x) {
    CheckDomain(x == 0);
    const Extended a = std::fabs(x);
    const Extended e = std::exp(-a);
    return std::copysign(2 * e / (-std::expm1(-a) * (1 + e)), x);
}

// --- inverse hyperbolic functions -------------------------------------------------

Extended ArcSinH(Extended x) {
    return std::asinh(x);
}

Extended ArcCosH(Extended x) {
    CheckDomain(x < 1);
    return std::acosh(x);
}

Extended ArcTanH(Extended x) {
    CheckDomain(std::fabs(x) >= 1);
    return std::atanh(x);
}

// ln((x + 1)/(x - 1)) / 2 = log1p(2 / (abs(x) - 1)) / 2, odd; abs(x) < 1 takes the
// logarithm of a negative number.
Extended ArcCotH(Extended x) {
    CheckDomain(std::fabs(x) == 1);
    return std::copysign(std::log1p(2 / (std::fabs(x) - 1)) / 2, x);
}

// ln((1 + sqrt(1 - x^2)) / x) = log1p((1 - x + sqrt(1 - x^2)) / x); a negative x
// takes the logarithm of a negative number.
Extended ArcSecH(Extended x) {
    CheckDomain(std::fabs(x) > 1);
    if (x == 0) return 1 / std::fabs(x); // ln(2/0): the division by zero, for -0 as well
    return std::log1p((1 - x + RootOfOneLessSquare(x)) / x);
}

// arcsinh(1/x).
Extended ArcCscH(Extended x) {
    CheckDomain(x == 0);
    return std::asinh(1 / x);
}

// --- power and Pythagorean sum ----------------------------------------------------

Extended Power(Extended base, Extended exponent) {
    if (exponent == 0 || base == 1) return 1;
    if (base == 0) {
        if (exponent > 0) return 0;
        Refuse(MathLibMessages::PowerInfinite);
    }
    if (base < 0 && exponent != std::trunc(exponent)) Refuse(MathLibMessages::PowerComplex);
    return std::pow(base, exponent);
}

Extended Pythag(Extended x, Extended y) {
    return std::hypot(x, y);
}
