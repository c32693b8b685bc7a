// The kernels of Extended arguments: exp of a pair, ln, ln(1 + v) and atan2.
#include "mathlib/extended_kernels.h"

#include <cmath>

namespace {

constexpr Extended Infinity = std::numeric_limits<Extended>::infinity();

// The significand (with its explicit leading bit) and the biased exponent.
struct TExtendedBits {
    std::uint64_t Significand;
    int Exponent;
};

TExtendedBits BitsOf(Extended x) {
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &x, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&x) + 8, sizeof signExponent);
    return {significand, signExponent & 0x7FFF};
}

// The Extended number 2^(exponent - 16383) times significand / 2^63.
Extended FromBits(std::uint64_t significand, int exponent) {
    Extended x = 0;
    const auto signExponent = static_cast<std::uint16_t>(exponent);
    std::memcpy(&x, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &signExponent, sizeof signExponent);
    return x;
}

} // namespace

TWide ExpWide(Extended x, Extended xLo) {
    using namespace KernelDetail;
    if (x > 11357) return {Infinity, 0};
    if (x < -11350) return {0, 0};
    const long k = std::lrint(x * OneTwentyEightByLn2);
    const auto kk = static_cast<Extended>(k);
    const Extended r = ((x - kk * Ln2By128Hi) - kk * Ln2By128Lo) + xLo;
    return ScaledTableTimesExp(Exp2Table[k & 127], k >> 7, r);
}

TWide LogWide(Extended x) {
    using namespace KernelDetail;
    const TExtendedBits bits = BitsOf(x);
    const auto j = static_cast<int>((((bits.Significand >> 55) & 0xFF) + 1) >> 1);
    const TLogTableEntry& t = LogTable[j];
    const Extended mHi = FromBits(bits.Significand & 0xFFFFFFFF00000000u, 16383);
    const Extended mLo = FromBits(bits.Significand, 16383) - mHi;
    const Extended c = t.Reciprocal;
    const Extended r = (mHi * c - 1) + mLo * c;
    return LogSum(bits.Exponent - 16383 + (j > 64 ? 1 : 0), t, r);
}

// 1 + v = s + err exactly; ln(s + err) = ln s + err/s (the next term is below 2^-128).
Extended Log1pKernel(Extended v) {
    if (!(v > -1)) return v == -1 ? -Infinity : std::numeric_limits<Extended>::quiet_NaN();
    if (v == Infinity) return Infinity;
    const TWide s = TwoSum(1, v);
    const TWide l = LogWide(s.Hi);
    return l.Hi + (l.Lo + s.Lo / s.Hi);
}

// With t = min/max of abs(y), abs(x) in [0, 1] and b = j/64 next to it,
// arctan t = arctan b + arctan((t - b)/(1 + t b)); then the octant.
Extended Atan2Kernel(Extended y, Extended x) {
    if (std::isnan(y) || std::isnan(x)) return y + x;
    if (y == 0 || x == 0 || std::isinf(y) || std::isinf(x)) return std::atan2(y, x);
    const Extended ay = std::fabs(y), ax = std::fabs(x);
    const bool swapped = ay > ax;
    const Extended t = swapped ? ax / ay : ay / ax;
    const long j = std::lrint(t * 64);
    const Extended b = static_cast<Extended>(j) * 0.015625L;
    const Extended d = (t - b) / (1 + t * b);
    const Extended d2 = d * d;
    const Extended atanD =
        d + d * d2 *
                (static_cast<Extended>(-1.0 / 3) +
                 d2 * (static_cast<Extended>(1.0 / 5) +
                       d2 * (static_cast<Extended>(-1.0 / 7) +
                             d2 * (static_cast<Extended>(1.0 / 9) +
                                   d2 * static_cast<Extended>(-1.0 / 11)))));
    const TTableValue& a = AtanTable[j];
    TWide angle = FastTwoSum(a.Hi, static_cast<Extended>(a.Lo) + atanD);
    if (swapped) { // pi/2 - angle
        const TWide s = TwoSum(HalfPiHi, -angle.Hi);
        angle = FastTwoSum(s.Hi, s.Lo + (HalfPiLo - angle.Lo));
    }
    if (x < 0) { // pi - angle
        const TWide s = TwoSum(PiHi, -angle.Hi);
        angle = FastTwoSum(s.Hi, s.Lo + (PiLo - angle.Lo));
    }
    const Extended result = angle.Hi + angle.Lo;
    return y < 0 ? -result : result;
}
