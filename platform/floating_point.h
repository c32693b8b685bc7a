// The floating-point environment: the 80-bit Extended type, and the detection of
// invalid operation, division by zero and overflow, which become EInvalidOp,
// EZeroDivide and EOverflow. Hardware traps stay disabled for the whole process and
// the status flags are never read: with finite operands, a NaN result is exactly
// an invalid operation and an infinite one exactly an overflow (or a division by
// zero, when the divisor is zero), so every fault is decided from the result of
// the operation that caused it, at once, and nothing after it runs.
#pragma once

#include <cmath>
#include <limits>

#include "platform/exceptions.h"

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Zentavo needs the x87 80-bit extended type as long double");

enum class TFloatingPointFault { InvalidOp, ZeroDivide, Overflow };

// Raises the exception of the given fault. Cold: the callers' fast paths stay
// straight, with the call out of their way.
[[noreturn, gnu::cold]] void RaiseFloatingPointFault(TFloatingPointFault fault);

// A result that is not finite is a fault: NaN is an invalid operation, an infinity
// the given fault (overflow, or division by zero for a quotient with a zero divisor).
inline double CheckResult(double value, TFloatingPointFault ifInfinite) {
    if (!std::isfinite(value)) [[unlikely]]
        RaiseFloatingPointFault(std::isnan(value) ? TFloatingPointFault::InvalidOp : ifInfinite);
    return value;
}

// The smallest Extended magnitude that rounds to an infinite double: halfway
// between the largest double and 2^1024 (ties go to the even 2^1024).
inline constexpr Extended DoubleRoundingLimit = 0x1.fffffffffffffp1023L + 0x1p970L;

// Rounds an Extended result to the nearest double. One that does not fit is a
// fault: NaN an invalid operation, a value beyond the double range the given fault
// (overflow, or division by zero for a quotient with a zero divisor). Below the
// range it quietly becomes a subnormal or zero. The test runs on the Extended value,
// before the store, so the rounded result goes straight to its slot.
inline double RoundResult(Extended value, TFloatingPointFault ifBeyond) {
    if (!(std::fabs(value) < DoubleRoundingLimit)) [[unlikely]]
        RaiseFloatingPointFault(std::isnan(value) ? TFloatingPointFault::InvalidOp : ifBeyond);
    return static_cast<double>(value);
}

// Rounds an Extended value to the nearest double; a value beyond the double range
// raises EOverflow, one below it quietly becomes a subnormal or zero.
inline double NarrowToDouble(Extended value) {
    return RoundResult(value, TFloatingPointFault::Overflow);
}

// Rounds a double to the nearest 32-bit float, with the same overflow rule.
inline float NarrowToSingle(double value) {
    float result = static_cast<float>(value);
    if (!std::isfinite(result)) [[unlikely]]
        RaiseFloatingPointFault(std::isnan(result) ? TFloatingPointFault::InvalidOp
                                                   : TFloatingPointFault::Overflow);
    return result;
}
