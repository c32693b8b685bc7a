// Formula adapters: the double-in, double-out functions that formulas call. Each
// calls a routine of the elementary function library on its double arguments; the
// routine decides the correctly rounded result from a double-double value, and a
// result it leaves undecided (too near a rounding boundary, or at the ends of the
// range) comes from the exact path. Every result is the exact value correctly
// rounded; faults are exceptions.
#pragma once

#include <cmath>

#include "mathlib/rounded_result.h"
#include "mathlib/exact_functions.h"
#include "platform/floating_point.h"

using TUnaryRoutine = TRoundedResult (*)(double);
using TBinaryRoutine = TRoundedResult (*)(double, double);
using TUnaryAdapter = double (*)(double);
using TBinaryAdapter = double (*)(double, double);

// The exact path, out of the callers' way. An exact value beyond the double range
// is an overflow (the routines raise every other fault themselves).
template <TExactUnary ExactRoutine>
[[gnu::cold, gnu::noinline]] double ExactUnary(double x) {
    return CheckResult(ExactRoutine(x), TFloatingPointFault::Overflow);
}

template <TExactBinary ExactRoutine>
[[gnu::cold, gnu::noinline]] double ExactBinary(double x, double y) {
    return CheckResult(ExactRoutine(x, y), TFloatingPointFault::Overflow);
}

template <TUnaryRoutine Routine, TExactUnary ExactRoutine>
double UnaryAdapter(double x) {
    const TRoundedResult result = Routine(x);
    if (result.Decided) [[likely]]
        return result.Value;
    return ExactUnary<ExactRoutine>(x);
}

template <TBinaryRoutine Routine, TExactBinary ExactRoutine>
double BinaryAdapter(double x, double y) {
    const TRoundedResult result = Routine(x, y);
    if (result.Decided) [[likely]]
        return result.Value;
    return ExactBinary<ExactRoutine>(x, y);
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
