// The contract between the kernels and the formula adapters: a value as a pair of
// doubles, and the correctly rounded double decided from it, or word that it could
// not be decided. Shared by every build of the kernels (see math_variant.h).
#pragma once

#include <cmath>

namespace DoubleDouble {

// A value as the unevaluated sum of two doubles, Hi the larger.
struct TPair {
    double Hi, Lo;
};

} // namespace DoubleDouble

// A correctly rounded result, or word that the pair was too near a rounding
// boundary to decide (the caller then takes the exact path).
struct TRoundedResult {
    double Value;
    bool Decided;
};

// The pair is the exact value within relativeError of it: the result is decided when
// every value that close rounds to the same double (rounding is monotone, so the two
// ends decide). Results near the ends of the double range are left to the exact path.
inline TRoundedResult RoundPair(DoubleDouble::TPair v, double relativeError) {
    const double error = std::fabs(v.Hi) * relativeError;
    const double up = v.Hi + (v.Lo + error);
    const double down = v.Hi + (v.Lo - error);
    const double size = std::fabs(up);
    return {up, up == down && size >= 0x1p-1000 && size <= 0x1p1023};
}
