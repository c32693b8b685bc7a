// Error-free transformations in Extended: a sum or product of two numbers as the
// rounded result plus its exact rounding error. The kernels carry values that
// need more than 64 bits (a reduced angle, a logarithm feeding a power) as such
// unevaluated pairs.
#pragma once

#include "platform/floating_point.h"

// Hi + Lo, with Lo below half an ulp of Hi (or an error term of that size).
struct TWide {
    Extended Hi, Lo;
};

// a + b exactly, when abs(a) >= abs(b) or a is 0.
inline TWide FastTwoSum(Extended a, Extended b) {
    const Extended s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, for any a and b.
inline TWide TwoSum(Extended a, Extended b) {
    const Extended s = a + b;
    const Extended bPart = s - a;
    return {s, (a - (s - bPart)) + (b - bPart)};
}

// a as the sum of two halves of 32 significant bits each (Veltkamp's split).
inline TWide Split(Extended a) {
    const Extended t = (0x1p32L + 1) * a;
    const Extended hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly (Dekker's product), for products far from the ends of the range.
inline TWide TwoProduct(Extended a, Extended b) {
    const Extended p = a * b;
    const TWide as = Split(a), bs = Split(b);
    return {p, ((as.Hi * bs.Hi - p) + as.Hi * bs.Lo + as.Lo * bs.Hi) + as.Lo * bs.Lo};
}

// (a.Hi + a.Lo) * (c.Hi + c.Lo) to about 2^-125 relative, as a pair.
inline TWide MultiplyWide(TWide a, TWide c) {
    const TWide p = TwoProduct(a.Hi, c.Hi);
    return FastTwoSum(p.Hi, p.Lo + (a.Hi * c.Lo + a.Lo * c.Hi));
}
