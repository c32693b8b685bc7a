// The exact path on MPFR. Each function computes a lower and an upper bound of its
// exact value at a working precision (one MPFR call rounded to nearest gives both:
// its result and the neighbour on the side its ternary value names; a chain of
// monotone steps rounds each step down or up). When both bounds round to the same
// double that double is the answer; otherwise the precision doubles. An exact
// value (a ternary value of 0) is its own two bounds, so an exact tie between two
// doubles rounds to even.
#include "mathlib/exact_functions.h"

#include <mpfr.h>

#include <atomic>
#include <cmath>

namespace {

std::atomic<std::uint64_t> ExactCalls{0};

constexpr mpfr_prec_t FirstPrecision = 128;
constexpr mpfr_prec_t LastPrecision = 1 << 16;

// An MPFR number of a given precision, freed at the end of its scope.
class TMp {
public:
    explicit TMp(mpfr_prec_t precision) { mpfr_init2(FValue, precision); }
    TMp(mpfr_prec_t precision, double x) : TMp(precision) { mpfr_set_d(FValue, x, MPFR_RNDN); }
    ~TMp() { mpfr_clear(FValue); }
    TMp(const TMp&) = delete;
    TMp& operator=(const TMp&) = delete;
    operator mpfr_ptr() { return FValue; }

private:
    mpfr_t FValue;
};

// Both bounds of a value computed once, rounded to nearest, with the given ternary.
void BoundsFromTernary(mpfr_ptr lo, mpfr_ptr hi, int ternary) {
    mpfr_set(hi, lo, MPFR_RNDN);
    if (ternary > 0) mpfr_nextbelow(lo);
    if (ternary < 0) mpfr_nextabove(hi);
}

using TBounds = void (*)(mpfr_ptr lo, mpfr_ptr hi, double x, double y);

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

using TMpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using TMpfrBinary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

// f(x) for one MPFR function.
template <TMpfrUnary F>
void Direct(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    TMp a(53, x);
    BoundsFromTernary(lo, hi, F(lo, a, MPFR_RNDN));
}

template <TMpfrBinary F>
void Direct2(mpfr_ptr lo, mpfr_ptr hi, double x, double y) {
    TMp a(53, x), b(53, y);
    BoundsFromTernary(lo, hi, F(lo, a, b, MPFR_RNDN));
}

// f(1/x) for an f that rises (Rising) or falls with its argument.
template <TMpfrUnary F, bool Rising>
void OfReciprocal(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp down(precision), up(precision);
    mpfr_d_div(down, 1, TMp(53, x), MPFR_RNDD);
    mpfr_d_div(up, 1, TMp(53, x), MPFR_RNDU);
    F(lo, Rising ? down : up, MPFR_RNDD);
    F(hi, Rising ? up : down, MPFR_RNDU);
}

// Bounds of sin^2(x/2) (x/2 is exact).
void HalfAngleSineSquared(mpfr_ptr lo, mpfr_ptr hi, double x) {
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

void VersineBounds(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    HalfAngleSineSquared(lo, hi, x);
    mpfr_mul_2ui(lo, lo, 1, MPFR_RNDN);
    mpfr_mul_2ui(hi, hi, 1, MPFR_RNDN);
}

void HaversineBounds(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    HalfAngleSineSquared(lo, hi, x);
}

// [a, b] / [c, d] for a divisor interval without 0: the extreme quotients.
void DivideBounds(mpfr_ptr lo, mpfr_ptr hi, mpfr_ptr a, mpfr_ptr b, mpfr_ptr c, mpfr_ptr d) {
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
void ExsecansBounds(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp vLo(precision), vHi(precision), cLo(precision), cHi(precision);
    VersineBounds(vLo, vHi, x, 0);
    BoundsFromTernary(cLo, cHi, mpfr_cos(cLo, TMp(53, x), MPFR_RNDN));
    if ((mpfr_sgn)(cLo) != (mpfr_sgn)(cHi)) {
        mpfr_set_inf(lo, -1);
        mpfr_set_inf(hi, 1);
        return;
    }
    DivideBounds(lo, hi, vLo, vHi, cLo, cHi);
}

// 1 - sin x.
void CoversineBounds(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp sLo(precision), sHi(precision);
    BoundsFromTernary(sLo, sHi, mpfr_sin(sLo, TMp(53, x), MPFR_RNDN));
    mpfr_ui_sub(lo, 1, sHi, MPFR_RNDD);
    mpfr_ui_sub(hi, 1, sLo, MPFR_RNDU);
}

// ln x / ln base.
void LogBaseNBounds(mpfr_ptr lo, mpfr_ptr hi, double base, double x) {
    const mpfr_prec_t precision = mpfr_get_prec(lo);
    TMp xLo(precision), xHi(precision), bLo(precision), bHi(precision);
    BoundsFromTernary(xLo, xHi, mpfr_log(xLo, TMp(53, x), MPFR_RNDN));
    BoundsFromTernary(bLo, bHi, mpfr_log(bLo, TMp(53, base), MPFR_RNDN));
    DivideBounds(lo, hi, xLo, xHi, bLo, bHi);
}

// arctan(1/x) = arctan2(1, x) for x > 0; odd.
void ArcCotBounds(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    TMp one(53, 1.0);
    BoundsFromTernary(lo, hi, mpfr_atan2(lo, one, TMp(53, std::fabs(x)), MPFR_RNDN));
    if (x < 0) {
        mpfr_neg(lo, lo, MPFR_RNDN);
        mpfr_neg(hi, hi, MPFR_RNDN);
        mpfr_swap(lo, hi);
    }
}

} // namespace

std::uint64_t ExactPathCount() noexcept {
    return ExactCalls.load(std::memory_order_relaxed);
}

namespace Exact {
double Sin(double x) { return Decide(Direct<mpfr_sin>, x, 0); }
double Cos(double x) { return Decide(Direct<mpfr_cos>, x, 0); }
double Tan(double x) { return Decide(Direct<mpfr_tan>, x, 0); }
double Cot(double x) { return Decide(Direct<mpfr_cot>, x, 0); }
double Sec(double x) { return Decide(Direct<mpfr_sec>, x, 0); }
double Csc(double x) { return Decide(Direct<mpfr_csc>, x, 0); }
double Versine(double x) { return Decide(VersineBounds, x, 0); }
double Coversine(double x) { return Decide(CoversineBounds, x, 0); }
double Haversine(double x) { return Decide(HaversineBounds, x, 0); }
double Exsecans(double x) { return Decide(ExsecansBounds, x, 0); }
double Exp(double x) { return Decide(Direct<mpfr_exp>, x, 0); }
double Ln(double x) { return Decide(Direct<mpfr_log>, x, 0); }
double LogBase10(double x) { return Decide(Direct<mpfr_log10>, x, 0); }
double LogBase2(double x) { return Decide(Direct<mpfr_log2>, x, 0); }
double LogBaseN(double base, double x) { return Decide(LogBaseNBounds, base, x); }
double ArcSin(double x) { return Decide(Direct<mpfr_asin>, x, 0); }
double ArcCos(double x) { return Decide(Direct<mpfr_acos>, x, 0); }
double ArcTan(double x) { return Decide(Direct<mpfr_atan>, x, 0); }
double ArcCot(double x) { return Decide(ArcCotBounds, x, 0); }
double ArcSec(double x) { return Decide(OfReciprocal<mpfr_acos, false>, x, 0); }
double ArcCsc(double x) { return Decide(OfReciprocal<mpfr_asin, true>, x, 0); }
double ArcTan2(double y, double x) { return Decide(Direct2<mpfr_atan2>, y, x); }
double SinH(double x) { return Decide(Direct<mpfr_sinh>, x, 0); }
double CosH(double x) { return Decide(Direct<mpfr_cosh>, x, 0); }
double TanH(double x) { return Decide(Direct<mpfr_tanh>, x, 0); }
double CotH(double x) { return Decide(Direct<mpfr_coth>, x, 0); }
double SecH(double x) { return Decide(Direct<mpfr_sech>, x, 0); }
double CscH(double x) { return Decide(Direct<mpfr_csch>, x, 0); }
double ArcSinH(double x) { return Decide(Direct<mpfr_asinh>, x, 0); }
double ArcCosH(double x) { return Decide(Direct<mpfr_acosh>, x, 0); }
double ArcTanH(double x) { return Decide(Direct<mpfr_atanh>, x, 0); }
double ArcCotH(double x) { return Decide(OfReciprocal<mpfr_atanh, true>, x, 0); }
double ArcSecH(double x) { return Decide(OfReciprocal<mpfr_acosh, true>, x, 0); }
double ArcCscH(double x) { return Decide(OfReciprocal<mpfr_asinh, true>, x, 0); }
double Power(double base, double exponent) { return Decide(Direct2<mpfr_pow>, base, exponent); }
double Pythag(double x, double y) { return Decide(Direct2<mpfr_hypot>, x, y); }
} // namespace Exact
