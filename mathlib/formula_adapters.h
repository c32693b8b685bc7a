// Formula adapters: the double-in, double-out functions that formulas call. Each
// calls a routine of the elementary function library on its double arguments and
// rounds the Extended result once to double; a result too near a rounding boundary
// to decide goes to the exact path instead, so every result is the exact value
// correctly rounded. Faults become exceptions.
#pragma once

#include <cmath>

#include "mathlib/double_double.h"
#include "mathlib/exact_functions.h"
#include "mathlib/rounding_boundary.h"
#include "platform/floating_point.h"

using TUnaryRoutine = Extended (*)(double);
using TBinaryRoutine = Extended (*)(double, double);
using TUnaryAdapter = double (*)(double);
using TBinaryAdapter = double (*)(double, double);

// The result of a routine tells its fault: a NaN is an invalid operation, an
// infinity the routine's one infinite fault (division by zero for ln, cot, coth and
// arcsech at 0, overflow for every other routine). A finite result beyond the double
// range raises EOverflow at the rounding; one below it becomes a subnormal or 0
// quietly. Reading the result costs nothing, where testing the status flags would
// wait for the floating-point unit after every call.
inline double RoundRoutineResult(Extended result, TFloatingPointFault ifInfinite) {
    if (!std::isfinite(result)) [[unlikely]]
        RaiseFloatingPointFault(std::isnan(result) ? TFloatingPointFault::InvalidOp : ifInfinite);
    return NarrowToDouble(result);
}

// An exact result beyond the double range is an overflow (its value was finite).
inline double CheckExactResult(double exact) {
    return CheckResult(exact, TFloatingPointFault::Overflow);
}

// Every result that is not plainly a double in range: one near a rounding boundary
// takes the exact path, a fault is raised, one beyond or below the double range is
// rounded with the overflow rule.
template <TUnaryRoutine Routine, TExactUnary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite>
[[gnu::cold, gnu::noinline]] double RoundUnaryCarefully(Extended result, double x) {
    if (NearRoundingBoundary(result, Margin)) return CheckExactResult(ExactRoutine(x));
    return RoundRoutineResult(result, IfInfinite);
}

template <TBinaryRoutine Routine, TExactBinary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite>
[[gnu::cold, gnu::noinline]] double RoundBinaryCarefully(Extended result, double x, double y) {
    if (NearRoundingBoundary(result, Margin)) return CheckExactResult(ExactRoutine(x, y));
    return RoundRoutineResult(result, IfInfinite);
}

// Margin: the routine's error bound in Extended ulps, with room to spare.
template <TUnaryRoutine Routine, TExactUnary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double UnaryAdapter(double x) {
    const Extended result = Routine(x);
    if (RoundsSafely(result, Margin)) [[likely]]
        return static_cast<double>(result);
    return RoundUnaryCarefully<Routine, ExactRoutine, Margin, IfInfinite>(result, x);
}

template <TBinaryRoutine Routine, TExactBinary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double BinaryAdapter(double x, double y) {
    const Extended result = Routine(x, y);
    if (RoundsSafely(result, Margin)) [[likely]]
        return static_cast<double>(result);
    return RoundBinaryCarefully<Routine, ExactRoutine, Margin, IfInfinite>(result, x, y);
}

// The functions whose routines decide the correct rounding themselves.
using TUnaryRoundedRoutine = TRoundedResult (*)(double);
using TBinaryRoundedRoutine = TRoundedResult (*)(double, double);

template <TUnaryRoundedRoutine Routine, TExactUnary ExactRoutine>
double RoundedUnaryAdapter(double x) {
    const TRoundedResult result = Routine(x);
    if (result.Decided) [[likely]]
        return result.Value;
    return CheckExactResult(ExactRoutine(x));
}

template <TBinaryRoundedRoutine Routine, TExactBinary ExactRoutine>
double RoundedBinaryAdapter(double x, double y) {
    const TRoundedResult result = Routine(x, y);
    if (result.Decided) [[likely]]
        return result.Value;
    return CheckExactResult(ExactRoutine(x, y));
}

// The functions the double arithmetic computes correctly rounded by itself.
inline double SquareAdapter(double x) {
    return CheckResult(x * x, TFloatingPointFault::Overflow);
}
inline double SqrtAdapter(double x) {
    return CheckResult(std::sqrt(x), TFloatingPointFault::Overflow); // negative: NaN, invalid
}
inline double AbsAdapter(double x) {
    return std::fabs(x);
}
