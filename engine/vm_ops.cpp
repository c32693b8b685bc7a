// Perform of the variable and arithmetic operations. A value that is not finite is
// reported as its fault, so no later operation runs and no NaN or infinity is ever
// stored.
#include "engine/vm_ops.h"

namespace {
constexpr auto Overflow = TFloatingPointFault::Overflow;
}

// A variable must hold a finite value: NaN is an invalid operation and an infinity
// an overflow, raised where the formula reads it, so none enters a computation.
void TExprVar32VmOp::Perform() {
    FResult = CheckResult(static_cast<double>(*FVariable), Overflow);
}

void TExprVar64VmOp::Perform() {
    FResult = CheckResult(*FVariable, Overflow);
}

void TExprVar80VmOp::Perform() {
    FResult = NarrowToDouble(*FVariable);
}

void TExprNegateVmOp::Perform() {
    FResult = -*X;
}

// The arithmetic runs in double, so each result is the exact value rounded once to
// the nearest double (IEEE); with finite operands only a result beyond the double
// range (or 0/0) is not finite.
void TExprAddVmOp::Perform() {
    FResult = CheckResult(*X + *Y, Overflow);
}

void TExprSubtractVmOp::Perform() {
    FResult = CheckResult(*X - *Y, Overflow);
}

void TExprMultiplyVmOp::Perform() {
    FResult = CheckResult(*X * *Y, Overflow);
}

// A zero divisor under a non-zero dividend is a division by zero; 0/0 is invalid.
void TExprDivideVmOp::Perform() {
    FResult = CheckResult(*X / *Y, *Y == 0 ? TFloatingPointFault::ZeroDivide : Overflow);
}

// Comparing a NaN is an invalid operation; -0.0 equals +0.0.
void TExprCompareVmOp::Perform() {
    const double x = *X, y = *Y;
    if (std::isnan(x) || std::isnan(y)) [[unlikely]]
        RaiseFloatingPointFault(TFloatingPointFault::InvalidOp);
    FResult = !(x >= y) ? -1.0 : x > y ? 1.0 : 0.0;
}
