// The extended-precision kernels the elementary functions are built from: table
// lookups and short polynomials in x87 arithmetic, each within about one Extended
// ulp (2^-63 relative) of the exact value, so a result rounds to double correctly
// unless it lies within a few Extended ulps of a rounding boundary.
#pragma once

#include "mathlib/extended_arithmetic.h"

// e^(x + xLo) as a pair; an infinity above the Extended range, 0 far below it.
TWide ExpWide(Extended x, Extended xLo = 0);
inline Extended ExpKernel(Extended x) {
    const TWide e = ExpWide(x);
    return e.Hi + e.Lo;
}
// e^x - 1, accurate near 0 as well.
Extended Expm1Kernel(Extended x);

// ln x as a pair, about 2^-70 relative, for a finite x > 0.
TWide LogWide(Extended x);
// ln(1 + v): a NaN below -1, minus infinity at -1.
Extended Log1pKernel(Extended v);

// sin and cos of x, for abs(x) < SinCosLimit. Decided is false when x lies so near
// a multiple of pi/2 that the reduced angle lost accuracy; the values then mean
// nothing and the caller takes the exact path.
inline constexpr Extended SinCosLimit = 0x1p28L;
struct TSinCos {
    Extended Sin, Cos;
    bool Decided;
};
TSinCos SinCosKernel(Extended x);

// The angle of the point (x, y), in [-pi, pi], for any y and x (atan2).
Extended Atan2Kernel(Extended y, Extended x);
