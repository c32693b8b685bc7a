// Fault detection through the status flags, and narrowing to double.
#include <gtest/gtest.h>

#include <cfloat>

#include "platform/floating_point.h"

namespace {

volatile double GZero = 0.0;
volatile long double GHuge = 1e4000L;

TEST(FloatingPoint, FlagsBecomeExceptionsAndAreCleared) {
    ClearFloatingPointFaults();
    volatile double r = 1.0 / GZero;
    (void)r;
    EXPECT_THROW(CheckFloatingPointFaults(), EZeroDivide);
    EXPECT_NO_THROW(CheckFloatingPointFaults()) << "flags must be clear after a fault";

    volatile double n = GZero / GZero;
    (void)n;
    EXPECT_THROW(CheckFloatingPointFaults(), EInvalidOp);

    volatile long double big = GHuge * GHuge;
    (void)big;
    EXPECT_THROW(CheckFloatingPointFaults(), EOverflow);
}

TEST(FloatingPoint, UnderflowAndInexactAreIgnored) {
    ClearFloatingPointFaults();
    volatile double tiny = DBL_MIN;
    volatile double r = tiny * tiny;
    volatile double third = 1.0 / 3.0;
    (void)r;
    (void)third;
    EXPECT_NO_THROW(CheckFloatingPointFaults());
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
