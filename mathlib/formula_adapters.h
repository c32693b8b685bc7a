// Formula adapters: the double-in, double-out functions that formulas call. Each
// widens its arguments to Extended, calls a routine of the elementary function
// library and rounds the result once to double; faults become exceptions.
#pragma once

#include <cmath>

#include "platform/floating_point.h"

using TUnaryRoutine = Extended (*)(Extended);
using TBinaryRoutine = Extended (*)(Extended, Extended);
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

template <TUnaryRoutine Routine, TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double UnaryAdapter(double x) {
    return RoundRoutineResult(Routine(x), IfInfinite);
}

template <TBinaryRoutine Routine, TFloatingPointFault IfInfinite = TFloatingPointFault::Overflow>
double BinaryAdapter(double x, double y) {
    return RoundRoutineResult(Routine(x, y), IfInfinite);
}
