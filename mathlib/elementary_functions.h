// The elementary functions behind the built-in function names, in extended
// precision. Each checks its domain first (EMathLibError), then computes with a
// form that stays accurate to the last bit of a double over the whole domain.
#pragma once

#include "platform/floating_point.h"

// Arguments of magnitude above this are refused by the range-checked trigonometric
// routines (2^63).
inline constexpr Extended TrigArgumentLimit = 0x1p63L;

// Faults (invalid operation, division by zero, overflow) are not raised here: a
// routine returns a NaN for an invalid operation and an infinity for a division by
// zero (the routines marked so below) or an overflow of the Extended range. The
// formula adapters turn these into EInvalidOp, EZeroDivide and EOverflow.

// Computed by the adapters without a domain check.
Extended Sin(Extended x);
Extended Cos(Extended x);
Extended Exp(Extended x);
Extended Ln(Extended x); // 0: division by zero; negative: invalid operation
Extended Square(Extended x);
Extended Sqrt(Extended x); // negative: invalid operation
Extended Abs(Extended x);

// Logarithms; refused for x <= 0 (and for base <= 0 or base = 1).
Extended LogBase10(Extended x);
Extended LogBase2(Extended x);
Extended LogBaseN(Extended base, Extended x);

// Trigonometric and versed functions, refused for abs(x) > 2^63.
Extended CheckedSin(Extended x);
Extended CheckedCos(Extended x);
Extended Tan(Extended x);
Extended Cot(Extended x); // x = 0: division by zero
Extended Sec(Extended x);
Extended Csc(Extended x); // also refused where the sine is 0
Extended Versine(Extended x);
Extended Coversine(Extended x);
Extended Haversine(Extended x);
Extended Exsecans(Extended x);

// Inverse trigonometric functions.
Extended ArcSin(Extended x); // refused for abs(x) > 1
Extended ArcCos(Extended x); // refused for abs(x) > 1
Extended ArcTan(Extended x);
Extended ArcCot(Extended x); // refused for x = 0; odd, so negative for x < 0
Extended ArcSec(Extended x); // arccos(1/x) in [0, pi]; abs(x) < 1: invalid operation
Extended ArcCsc(Extended x); // arcsin(1/x) in [-pi/2, pi/2]; abs(x) < 1: invalid operation
Extended ArcTan2(Extended y, Extended x);

// Hyperbolic functions.
Extended SinH(Extended x);
Extended CosH(Extended x);
Extended TanH(Extended x);
Extended CotH(Extended x); // x = 0: division by zero
Extended SecH(Extended x);
Extended CscH(Extended x); // refused for x = 0

// Inverse hyperbolic functions.
Extended ArcSinH(Extended x);
Extended ArcCosH(Extended x); // refused for x < 1
Extended ArcTanH(Extended x); // refused for abs(x) >= 1
Extended ArcCotH(Extended x); // refused for abs(x) = 1; abs(x) < 1: invalid operation
Extended ArcSecH(Extended x); // refused for abs(x) > 1; 0: division by zero; negative: invalid
Extended ArcCscH(Extended x); // refused for x = 0

// base^exponent; x^0 = 1 and 1^y = 1 for every x and y. Refuses 0 to a negative
// power ("Result is infinite") and a negative base with a fractional exponent
// ("Result is complex").
Extended Power(Extended base, Extended exponent);
// sqrt(x^2 + y^2) without overflow or underflow of the squares.
Extended Pythag(Extended x, Extended y);
