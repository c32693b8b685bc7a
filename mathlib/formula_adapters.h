// Formula adapters: the double-in, double-out functions that formulas call. Each
// calls a routine of the elementary function library (Fast) on its double
// arguments; the routine decides the correctly rounded result from a double-double
// value, and a result it leaves undecided (too near a rounding boundary, or at the
// ends of the range) comes from the exact path (Exact). Every result is the exact
// value correctly rounded; faults are exceptions. Built once for each build of the
// kernels, in its namespace (see math_variant.h).
#pragma once

#include <cmath>

#include "mathlib/exact_path.h"
#include "mathlib/math_variant.h"
#include "mathlib/rounded_result.h"
#include "platform/floating_point.h"

inline namespace ZENTAVO_MATH_VARIANT {

using TUnaryRoutine = TRoundedResult (*)(double);
using TBinaryRoutine = TRoundedResult (*)(double, double);

// The exact path, out of the callers' way. An exact value beyond the double range
// is an overflow (the routines raise every other fault themselves).
template <Exact::TBounds Bounds>
[[gnu::cold, gnu::noinline]] double ExactValue(double x, double y) {
    return CheckResult(Exact::Decide(Bounds, x, y), TFloatingPointFault::Overflow);
}

template <TUnaryRoutine Routine, Exact::TBounds Bounds> double UnaryAdapter(double x) {
    const TRoundedResult result = Routine(x);
    if (result.Decided) [[likely]]
        return result.Value;
    return ExactValue<Bounds>(x, 0);
}

template <TBinaryRoutine Routine, Exact::TBounds Bounds> double BinaryAdapter(double x, double y) {
    const TRoundedResult result = Routine(x, y);
    if (result.Decided) [[likely]]
        return result.Value;
    return ExactValue<Bounds>(x, y);
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

} // namespace ZENTAVO_MATH_VARIANT
