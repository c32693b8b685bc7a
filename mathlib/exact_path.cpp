// The exact path on MPFR. Each function computes a lower and an upper bound of its
// exact value at a working precision (one MPFR call rounded to nearest gives both:
// its result and the neighbour on the side its ternary value names; a chain of
// monotone steps rounds each step down or up). When both bounds round to the same
// double that double is the answer; otherwise the precision doubles. An exact
// value (a ternary value of 0) is its own two bounds, so an exact tie between two
// doubles rounds to even.
#include "mathlib/exact_path.h"

#include <atomic>
#include <cmath>

namespace {

std::atomic<std::uint64_t> ExactCalls{0};

constexpr mpfr_prec_t FirstPrecision = 128;
constexpr mpfr_prec_t LastPrecision = 1 << 16;

} // namespace

namespace Exact {

void BoundsFromTernary(mpfr_ptr lo, mpfr_ptr hi, int ternary) {
    mpfr_set(hi, lo, MPFR_RNDN);
    if (ternary > 0) mpfr_nextbelow(lo);
    if (ternary < 0) mpfr_nextabove(hi);
}

double Decide(TBounds bounds, double x, double y) {
    ExactCalls.fetch_add(1, std::memory_order_relaxed);
    for (mpfr_prec_t precision = FirstPrecision;; precision *= 2) {
        TMp lo(precision), hi(precision);
        bounds(lo, hi, x, y);
        const double down = mpfr_get_d(lo, MPFR_RNDN);
        const double up = mpfr_get_d(hi, MPFR_RNDN);
        if (down == up || precision >= LastPrecision) return down;
    }
}

void OfReciprocal(mpfr_ptr lo, mpfr_ptr hi, double x, TMpfrUnary f, bool rising) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp down(precision), up(precision);
    mpfr_d_div(down, 1, TMp(53, x), MPFR_RNDD);
    mpfr_d_div(up, 1, TMp(53, x), MPFR_RNDU);
    f(lo, rising ? down : up, MPFR_RNDD);
    f(hi, rising ? up : down, MPFR_RNDU);
}

// Bounds of sin^2(x/2) (x/2 is exact).
static void HalfAngleSineSquared(mpfr_ptr lo, mpfr_ptr hi, double x) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp half(53, x), s(precision);
    mpfr_div_2ui(half, half, 1, MPFR_RNDN);
    BoundsFromTernary(s, hi, mpfr_sin(s, half, MPFR_RNDN));
    mpfr_set(lo, s, MPFR_RNDN);
    // x != 0, so sin(x/2) != 0 and both bounds have its sign: square the magnitudes
    mpfr_abs(lo, lo, MPFR_RNDN);
    mpfr_abs(hi, hi, MPFR_RNDN);
    if (mpfr_cmp(lo, hi) > 0) mpfr_swap(lo, hi);
    mpfr_sqr(lo, lo, MPFR_RNDD);
    mpfr_sqr(hi, hi, MPFR_RNDU);
}

void Versine(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    HalfAngleSineSquared(lo, hi, x);
    mpfr_mul_2ui(lo, lo, 1, MPFR_RNDN);
    mpfr_mul_2ui(hi, hi, 1, MPFR_RNDN);
}

void Haversine(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    HalfAngleSineSquared(lo, hi, x);
}

// [a, b] / [c, d] for a divisor interval without 0: the extreme quotients.
static void DivideBounds(mpfr_ptr lo, mpfr_ptr hi, mpfr_ptr a, mpfr_ptr b, mpfr_ptr c, mpfr_ptr d) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp q(precision);
    mpfr_set_inf(lo, 1);
    mpfr_set_inf(hi, -1);
    for (mpfr_ptr n : {a, b})
        for (mpfr_ptr m : {c, d}) {
            mpfr_div(q, n, m, MPFR_RNDD);
            mpfr_min(lo, lo, q, MPFR_RNDN);
            mpfr_div(q, n, m, MPFR_RNDU);
            mpfr_max(hi, hi, q, MPFR_RNDN);
        }
}

// 2 sin^2(x/2) / cos x. A cosine interval around 0 (not possible once the
// precision is high enough) gives bounds that do not agree, and the loop goes on.
void Exsecans(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp vLo(precision), vHi(precision), cLo(precision), cHi(precision);
    Versine(vLo, vHi, x, 0);
    BoundsFromTernary(cLo, cHi, mpfr_cos(cLo, TMp(53, x), MPFR_RNDN));
    if ((mpfr_sgn)(cLo) != (mpfr_sgn)(cHi)) {
        mpfr_set_inf(lo, -1);
        mpfr_set_inf(hi, 1);
        return;
    }
    DivideBounds(lo, hi, vLo, vHi, cLo, cHi);
}

// 1 - sin x.
void Coversine(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp sLo(precision), sHi(precision);
    BoundsFromTernary(sLo, sHi, mpfr_sin(sLo, TMp(53, x), MPFR_RNDN));
    mpfr_ui_sub(lo, 1, sHi, MPFR_RNDD);
    mpfr_ui_sub(hi, 1, sLo, MPFR_RNDU);
}

// ln x / ln base.
void LogBaseN(mpfr_ptr lo, mpfr_ptr hi, double base, double x) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp xLo(precision), xHi(precision), bLo(precision), bHi(precision);
    BoundsFromTernary(xLo, xHi, mpfr_log(xLo, TMp(53, x), MPFR_RNDN));
    BoundsFromTernary(bLo, bHi, mpfr_log(bLo, TMp(53, base), MPFR_RNDN));
    DivideBounds(lo, hi, xLo, xHi, bLo, bHi);
}

// arctan(1/x) = arctan2(1, x) for x > 0; odd.
void ArcCot(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    TMp one(53, 1.0);
    BoundsFromTernary(lo, hi, mpfr_atan2(lo, one, TMp(53, std::fabs(x)), MPFR_RNDN));
    if (x < 0) {
        mpfr_neg(lo, lo, MPFR_RNDN);
        mpfr_neg(hi, hi, MPFR_RNDN);
        mpfr_swap(lo, hi);
    }
}

std::uint64_t CallCount() noexcept {
    return ExactCalls.load(std::memory_order_relaxed);
}

} // namespace Exact
