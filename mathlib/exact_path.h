// The exact path: a built-in function's exact mathematical value rounded once to
// double, computed with MPFR at a precision raised until the rounding is certain.
// Slow (microseconds), and taken only for the rare arguments whose fast
// double-double result lies too near a rounding boundary to decide. Each function's
// exact path is a bounds routine (TBounds) named in its row of the function table:
// one MPFR function (Direct, Direct2, OfReciprocal) or a routine of its own below.
// Arguments are those the fast routine accepted; a value beyond the double range is
// an infinity.
#pragma once

#include <mpfr.h>

#include <cstdint>

namespace Exact {

// Sets lo and hi, at their precision, to a lower and an upper bound of f(x, y)
// (unary functions ignore y).
using TBounds = void (*)(mpfr_ptr lo, mpfr_ptr hi, double x, double y);

// f(x, y) correctly rounded: the bounds at doubling precisions until both round to
// the same double.
double Decide(TBounds bounds, double x, double y);

// How many times the exact path ran in this process (all functions together).
std::uint64_t CallCount() noexcept;

// Both bounds of a value computed once, rounded to nearest, with the given ternary.
void BoundsFromTernary(mpfr_ptr lo, mpfr_ptr hi, int ternary);

using TMpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using TMpfrBinary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

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

// f(x) for one MPFR function.
template <TMpfrUnary F> void Direct(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    TMp a(53, x);
    BoundsFromTernary(lo, hi, F(lo, a, MPFR_RNDN));
}

// f(x, y) for one MPFR function of two arguments.
template <TMpfrBinary F> void Direct2(mpfr_ptr lo, mpfr_ptr hi, double x, double y) {
    TMp a(53, x), b(53, y);
    BoundsFromTernary(lo, hi, F(lo, a, b, MPFR_RNDN));
}

// f(1/x) for an f that rises (Rising) or falls with its argument.
void OfReciprocal(mpfr_ptr lo, mpfr_ptr hi, double x, TMpfrUnary f, bool rising);
template <TMpfrUnary F, bool Rising> void OfReciprocal(mpfr_ptr lo, mpfr_ptr hi, double x, double) {
    OfReciprocal(lo, hi, x, F, Rising);
}

// The functions that are no single MPFR function.
void Versine(mpfr_ptr lo, mpfr_ptr hi, double x, double);       // 2 sin^2(x/2)
void Haversine(mpfr_ptr lo, mpfr_ptr hi, double x, double);     // sin^2(x/2)
void Exsecans(mpfr_ptr lo, mpfr_ptr hi, double x, double);      // 2 sin^2(x/2) / cos x
void Coversine(mpfr_ptr lo, mpfr_ptr hi, double x, double);     // 1 - sin x
void ArcCot(mpfr_ptr lo, mpfr_ptr hi, double x, double);        // arctan(1/x), odd
void LogBaseN(mpfr_ptr lo, mpfr_ptr hi, double base, double x); // ln x / ln base

} // namespace Exact
