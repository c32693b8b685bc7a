// The elementary functions behind the built-in function names. Each checks its
// domain first (EMathLibError), then computes its result as a pair of doubles
// within a known bound of the exact value and decides the correctly rounded double
// from it (TRoundedResult); a result too near a rounding boundary to decide, or at
// the ends of the range, is left Undecided for the exact path. Faults (invalid
// operation, division by zero) are raised here; an overflow is the exact path's.
#pragma once

#include "mathlib/double_double.h"

// Arguments of magnitude above this are refused by the range-checked trigonometric
// routines (2^63).
inline constexpr double TrigArgumentLimit = 0x1p63;

// The fast routines, in the namespace of the build (Portable or Fma, see
// math_variant.h).
namespace Fast {
inline namespace ZENTAVO_MATH_VARIANT {

// Without a domain check.
TRoundedResult Sin(double x);
TRoundedResult Cos(double x);
TRoundedResult Exp(double x);
TRoundedResult Ln(double x); // 0: EZeroDivide; negative: EInvalidOp
// base^exponent; x^0 = 1 and 1^y = 1 for every x and y. Refuses 0 to a negative
// power ("Result is infinite") and a negative base with a fractional exponent
// ("Result is complex").
TRoundedResult Power(double base, double exponent);

// Logarithms; refused for x <= 0 (and for base <= 0 or base = 1).
TRoundedResult LogBase10(double x);
TRoundedResult LogBase2(double x);
TRoundedResult LogBaseN(double base, double x);

// Trigonometric and versed functions, refused for abs(x) > 2^63.
TRoundedResult Tan(double x);
TRoundedResult Cot(double x); // x = 0: EZeroDivide
TRoundedResult Sec(double x);
TRoundedResult Csc(double x); // also refused where the sine is 0
TRoundedResult Versine(double x);
TRoundedResult Coversine(double x);
TRoundedResult Haversine(double x);
TRoundedResult Exsecans(double x);

// Inverse trigonometric functions.
TRoundedResult ArcSin(double x); // refused for abs(x) > 1
TRoundedResult ArcCos(double x); // refused for abs(x) > 1
TRoundedResult ArcTan(double x);
TRoundedResult ArcCot(double x); // refused for x = 0; odd, so negative for x < 0
TRoundedResult ArcSec(double x); // arccos(1/x) in [0, pi]; abs(x) < 1: invalid operation
TRoundedResult ArcCsc(double x); // arcsin(1/x) in [-pi/2, pi/2]; abs(x) < 1: invalid operation
TRoundedResult ArcTan2(double y, double x);

// Hyperbolic functions.
TRoundedResult SinH(double x);
TRoundedResult CosH(double x);
TRoundedResult TanH(double x);
TRoundedResult CotH(double x); // x = 0: EZeroDivide
TRoundedResult SecH(double x);
TRoundedResult CscH(double x); // refused for x = 0

// Inverse hyperbolic functions.
TRoundedResult ArcSinH(double x);
TRoundedResult ArcCosH(double x); // refused for x < 1
TRoundedResult ArcTanH(double x); // refused for abs(x) >= 1
TRoundedResult ArcCotH(double x); // refused for abs(x) = 1; abs(x) < 1: invalid operation
TRoundedResult ArcSecH(double x); // refused for abs(x) > 1; 0: division by zero; negative: invalid
TRoundedResult ArcCscH(double x); // refused for x = 0

// sqrt(x^2 + y^2), without overflow or underflow of the squares.
TRoundedResult Pythag(double x, double y);

} // namespace ZENTAVO_MATH_VARIANT
} // namespace Fast
