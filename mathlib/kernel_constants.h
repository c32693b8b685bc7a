// The constants of the extended-precision kernels, printed by
// mathlib/tools/generate_kernel_tables.cpp from MPFR: do not edit.
#pragma once

#include "platform/floating_point.h"

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

