// The constants of the extended-precision kernels, printed by
// mathlib/tools/generate_kernel_tables.cpp from MPFR: do not edit.
#pragma once

#include "platform/floating_point.h"

inline constexpr double DoubleLn2Hi = 0x1.62e42fefa38p-1;
inline constexpr double DoubleLn2Lo = 0x1.ef35793c7673p-45;
inline constexpr double DoubleLn2By128Hi = 0x1.62e42ffp-8;
inline constexpr double DoubleLn2By128Lo = -0x1.718432a1b0e26p-42;
inline constexpr double DoubleHalfPi1 = 0x1.921fb5p+0;
inline constexpr double DoubleHalfPi2 = 0x1.110b46p-26;
inline constexpr double DoubleHalfPi3 = 0x1.1a6263p-54;
inline constexpr double DoubleHalfPi4 = 0x1.8a2e03707344ap-81;
inline constexpr double DoubleLog2EHi = 0x1.71547652b82fep+0;
inline constexpr double DoubleLog2ELo = 0x1.777d0ffda0d24p-56;
inline constexpr double DoubleLog10EHi = 0x1.bcb7b1526e50ep-2;
inline constexpr double DoubleLog10ELo = 0x1.95355baaafad3p-57;
inline constexpr Extended Ln2Hi = 0xb.17217f7d1cfp-4L;
inline constexpr Extended Ln2Lo = 0xf.35793c7673007e6p-53L;
inline constexpr Extended Ln2By128Hi = 0xb.17217f7d2p-11L;
inline constexpr Extended Ln2By128Lo = -0xc.21950d871319ffp-53L;
inline constexpr Extended OneTwentyEightByLn2 = 0xb.8aa3b295c17f0bcp+4L;
inline constexpr Extended HalfPi1 = 0xc.90fdaa22p-3L;
inline constexpr Extended HalfPi2 = 0xb.4611a626p-42L;
inline constexpr Extended HalfPi3 = 0xc.c51701b839a28p-80L;
inline constexpr Extended HalfPi4 = -0xb.7ed8fbbacc1ap-134L;
inline constexpr Extended HalfPiHi = 0xc.90fdaa22168c235p-3L;
inline constexpr Extended HalfPiLo = -0xe.ce675d1fc8f8cbbp-69L;
inline constexpr Extended PiHi = 0xc.90fdaa22168c235p-2L;
inline constexpr Extended PiLo = -0xe.ce675d1fc8f8cbbp-68L;
inline constexpr Extended TwoByPi = 0xa.2f9836e4e44152ap-4L;
inline constexpr Extended Log2EHi = 0xb.8aa3b295c17f0bcp-3L;
inline constexpr Extended Log2ELo = -0x8.2f0025f2dc582eep-68L;
inline constexpr Extended Log10EHi = 0xd.e5bd8a937287195p-5L;
inline constexpr Extended Log10ELo = 0xd.56eaabeb4cf70c9p-71L;

