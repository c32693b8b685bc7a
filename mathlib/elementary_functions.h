// The elementary functions behind the built-in function names. Each checks its
// domain first (EMathLibError), then computes an Extended approximation with the
// kernels, within a few Extended ulps of the exact value; the formula adapters
// round it to double, or take the exact path when it lies too near a rounding
// boundary. Where a routine cannot vouch for its own accuracy (a trigonometric
// argument beyond the kernel's reach or next to a multiple of pi/2) it returns the
// exact result, a double.
#pragma once

#include "mathlib/double_double.h"
#include "platform/floating_point.h"

// Arguments of magnitude above this are refused by the range-checked trigonometric
// routines (2^63).
inline constexpr double TrigArgumentLimit = 0x1p63;

// Faults (invalid operation, division by zero, overflow) are not raised here: a
// routine returns a NaN for an invalid operation and an infinity for a division by
// zero (the routines marked so below) or an overflow of the Extended range. The
// formula adapters turn these into EInvalidOp, EZeroDivide and EOverflow.

// The most used functions, correctly rounded in double-double arithmetic: a result
// that is not Decided goes to the exact path (so do the ends of the range: an
// exponential beyond 700 in size, a power beyond e^700). Without a domain check.
TRoundedResult Sin(double x);
TRoundedResult Cos(double x);
TRoundedResult Exp(double x);
TRoundedResult Ln(double x); // 0: raises EZeroDivide; negative: EInvalidOp
// base^exponent; x^0 = 1 and 1^y = 1 for every x and y. Refuses 0 to a negative
// power ("Result is infinite") and a negative base with a fractional exponent
// ("Result is complex").
TRoundedResult Power(double base, double exponent);

// Logarithms; refused for x <= 0 (and for base <= 0 or base = 1).
Extended LogBase10(double x);
Extended LogBase2(double x);
Extended LogBaseN(double base, double x);

// Trigonometric and versed functions, refused for abs(x) > 2^63.
Extended Tan(double x);
Extended Cot(double x); // x = 0: division by zero
Extended Sec(double x);
Extended Csc(double x); // also refused where the sine is 0
Extended Versine(double x);
Extended Coversine(double x);
Extended Haversine(double x);
Extended Exsecans(double x);

// Inverse trigonometric functions.
Extended ArcSin(double x); // refused for abs(x) > 1
Extended ArcCos(double x); // refused for abs(x) > 1
Extended ArcTan(double x);
Extended ArcCot(double x); // refused for x = 0; odd, so negative for x < 0
Extended ArcSec(double x); // arccos(1/x) in [0, pi]; abs(x) < 1: invalid operation
Extended ArcCsc(double x); // arcsin(1/x) in [-pi/2, pi/2]; abs(x) < 1: invalid operation
Extended ArcTan2(double y, double x);

// Hyperbolic functions.
Extended SinH(double x);
Extended CosH(double x);
Extended TanH(double x);
Extended CotH(double x); // x = 0: division by zero
Extended SecH(double x);
Extended CscH(double x); // refused for x = 0

// Inverse hyperbolic functions.
Extended ArcSinH(double x);
Extended ArcCosH(double x); // refused for x < 1
Extended ArcTanH(double x); // refused for abs(x) >= 1
Extended ArcCotH(double x); // refused for abs(x) = 1; abs(x) < 1: invalid operation
Extended ArcSecH(double x); // refused for abs(x) > 1; 0: division by zero; negative: invalid
Extended ArcCscH(double x); // refused for x = 0

// sqrt(x^2 + y^2); the squares cannot overflow or underflow in Extended.
Extended Pythag(double x, double y);
