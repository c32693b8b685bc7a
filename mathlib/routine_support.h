// What the routines of the elementary functions share: the error bounds each
// rounds with (derived from the kernels' stated bounds), the range cut-offs, the
// refusals and faults, and the exact pair forms that no step cancels in. Included by
// the routines' sources only, in the namespace of the build (see math_variant.h).
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "mathlib/elementary_functions.h"
#include "mathlib/math_errors.h"
#include "mathlib/pair_kernels.h"
#include "platform/floating_point.h"

namespace Fast {
inline namespace ZENTAVO_MATH_VARIANT {
namespace {

using DoubleDouble::TPair;
using namespace DoubleDouble;

// The bounds of the routines, from the kernels' stated bounds and what each routine
// adds to them (a pair operation adds at most 2^-104, and none of the forms below
// cancels):
// - the sine and cosine, alone or as a reciprocal; as a product or quotient of two
//   (tan, cot, the versed functions); of three (exsecans, coversine);
// - an angle from Atan2 on coordinates each within 2^-100 of exact (doubles, or
//   square roots of exact products as pairs);
// - a logarithm, times a constant pair or not;
// - an inverse hyperbolic function: ln or log1p of a pair within 2^-100 of exact,
//   greater than 1 (or v > 0 for log1p), where the logarithm does not enlarge the
//   pair's relative error; the approximations for large and small arguments are
//   below 2^-80;
// - the hyperbolic functions: sinh and cosh from e^a and its reciprocal, whose
//   difference for a >= 1 enlarges their error at most 1.31 times, or from e^a - 1
//   below 1 (both well inside 2^-66); tanh and coth from e^2a - 1 on [0, 40], whose
//   error beyond 1 the quotient shrinks by 2/(u + 2) (measured worst 2^-68.7, near
//   a = 0.96);
// - a square root of an exact sum of exact squares.
constexpr double SineError = PairKernel::SinCosBound + 0x1p-100;
constexpr double TwoSineError = 2 * PairKernel::SinCosBound + 0x1p-100;
constexpr double ThreeSineError = 3 * PairKernel::SinCosBound + 0x1p-100;
constexpr double AngleError = PairKernel::AtanOfRatioBound + 0x1p-100;
constexpr double LogError = PairKernel::LnBound + 0x1p-100;
constexpr double InverseHyperbolicError = PairKernel::Log1pBound + 0x1p-80;
constexpr double HyperbolicError = 0x1p-66;
constexpr double RootError = 0x1p-100;

// Arguments of the trigonometric kernel: beyond this the exact path reduces them.
constexpr double SinCosLimit = 0x1p28;

// Where the pair arithmetic keeps its bits: a square (or exact product) of
// magnitudes up to 2^500 stays below 2^1000, and the low part of one down to 2^-500
// stays a normal double. Outside, coordinates are scaled by RangeScale (a power of
// two, so nothing is lost), or the routine leaves the argument to the exact path.
constexpr double PairRangeHigh = 0x1p500;
constexpr double PairRangeLow = 0x1p-500;
constexpr double RangeScale = 0x1p600;

// e^x and x^y: beyond 700 in magnitude the result lies near the ends of the double
// range (e^709.78 overflows, e^-708.4 is subnormal), which the exact path decides.
constexpr double ExpArgumentLimit = 700;
// sinh, cosh and their reciprocals: beyond 709, e^a/2 overflows (or 2e^-a is
// subnormal), which the exact path decides.
constexpr double HyperbolicArgumentLimit = 709;

const TRoundedResult Undecided{0, false};

[[noreturn]] [[gnu::cold]] inline void Refuse(std::string_view message) {
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

[[noreturn]] [[gnu::cold]] inline void RaiseInvalid() {
    RaiseFloatingPointFault(TFloatingPointFault::InvalidOp);
}

[[noreturn]] [[gnu::cold]] inline void RaiseZeroDivide() {
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
    if (a > PairRangeHigh) return Exactly(a);
    return Sqrt(Multiply(TwoSum(a, -1), TwoSum(a, 1)));
}

} // namespace
} // namespace ZENTAVO_MATH_VARIANT
} // namespace Fast
