// Fault detection from results, and narrowing to double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/floating_point.h"

namespace {

// A result decides the fault: NaN is invalid, an infinity the caller's fault.
TEST(FloatingPoint, ResultsThatAreNotFiniteBecomeTheirFault) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(CheckResult(-2.5, TFloatingPointFault::Overflow), -2.5);
    EXPECT_THROW(CheckResult(nan, TFloatingPointFault::ZeroDivide), EInvalidOp);
    EXPECT_THROW(CheckResult(-inf, TFloatingPointFault::ZeroDivide), EZeroDivide);
    EXPECT_THROW(RoundResult(static_cast<Extended>(inf), TFloatingPointFault::Overflow), EOverflow);
    EXPECT_EQ(RoundResult(std::nextafter(DoubleRoundingLimit, 0.0L), TFloatingPointFault::Overflow),
              std::numeric_limits<double>::max());
    EXPECT_THROW(RoundResult(DoubleRoundingLimit, TFloatingPointFault::Overflow), EOverflow);
}

TEST(FloatingPoint, NarrowingToDouble) {
    EXPECT_EQ(NarrowToDouble(1.5L), 1.5);
    EXPECT_THROW(NarrowToDouble(1e400L), EOverflow);
    EXPECT_THROW(NarrowToDouble(-1e400L), EOverflow);
    EXPECT_EQ(NarrowToDouble(1e-400L), 0.0);
    EXPECT_THROW(NarrowToSingle(1e39), EOverflow);
    EXPECT_EQ(NarrowToSingle(0.1), 0.1f);
}

TEST(FloatingPoint, MessagesAreExact) {
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EInvalidOp().what(), "Invalid floating point operation");
    EXPECT_STREQ(EListError(0).what(), "List index out of bounds (0)");
}

} // namespace
