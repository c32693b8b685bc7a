// Formula adapters: the double-in, double-out functions that formulas call. Each
// calls a routine of the elementary function library on its double arguments and
// rounds the Extended result once to double; a result too near a rounding boundary
// to decide goes to the exact path instead, so every result is the exact value
// correctly rounded. Faults become exceptions.
#pragma once

#include <cmath>

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

// Margin: the routine's error bound in Extended ulps, with room to spare.
template <TUnaryRoutine Routine, TExactUnary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double UnaryAdapter(double x) {
    const Extended result = Routine(x);
    if (NearRoundingBoundary(result, Margin)) [[unlikely]]
        return CheckExactResult(ExactRoutine(x));
    return RoundRoutineResult(result, IfInfinite);
}

template <TBinaryRoutine Routine, TExactBinary ExactRoutine, unsigned Margin,
          TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double BinaryAdapter(double x, double y) {
    const Extended result = Routine(x, y);
    if (NearRoundingBoundary(result, Margin)) [[unlikely]]
        return CheckExactResult(ExactRoutine(x, y));
    return RoundRoutineResult(result, IfInfinite);
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
