// The constants of the double-double kernels, printed by
// mathlib/tools/generate_kernel_tables.cpp from MPFR: do not edit.
#pragma once

inline constexpr double Ln2Hi = 0x1.62e42fefa38p-1;
inline constexpr double Ln2Lo = 0x1.ef35793c7673p-45;
inline constexpr double Ln2By128Hi = 0x1.62e42ffp-8;
inline constexpr double Ln2By128Lo = -0x1.718432a1b0e26p-42;
inline constexpr double HalfPi1 = 0x1.921fb5p+0;
inline constexpr double HalfPi2 = 0x1.110b46p-26;
inline constexpr double HalfPi3 = 0x1.1a6263p-54;
inline constexpr double HalfPi4 = 0x1.8a2e03707344ap-81;
inline constexpr double HalfPiHi = 0x1.921fb54442d18p+0;
inline constexpr double HalfPiLo = 0x1.1a62633145c07p-54;
inline constexpr double PiHi = 0x1.921fb54442d18p+1;
inline constexpr double PiLo = 0x1.1a62633145c07p-53;
inline constexpr double Log2EHi = 0x1.71547652b82fep+0;
inline constexpr double Log2ELo = 0x1.777d0ffda0d24p-56;
inline constexpr double Log10EHi = 0x1.bcb7b1526e50ep-2;
inline constexpr double Log10ELo = 0x1.95355baaafad3p-57;
inline constexpr double ExpStepsPerUnit = 0x1.71547652b82fep+7;
inline constexpr double QuarterTurnsPerUnit = 0x1.45f306dc9c883p-1;

// The tables' sizes (kernel_tables.h)
inline constexpr int Exp2TableSize = 128;
inline constexpr int LogTableSize = 129;
inline constexpr long SinCosTableMiddle = 202;
inline constexpr int SinCosTableSize = 405;
inline constexpr int AtanTableSize = 257;
