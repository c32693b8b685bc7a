// The tables the double-double kernels look up. Each value is the sum of two
// doubles, about 106 bits in all.
#pragma once

#include "mathlib/kernel_constants.h"

struct TTableValue {
    double Hi, Lo;
};

struct TLogTableEntry {
    double Reciprocal; // about 1 / (1 + j/128), at most 9 significant bits
    double Hi, Lo;     // -ln(Reciprocal), or -ln(2 Reciprocal) above j = 64
};

// The sizes are printed with the tables (kernel_constants.h).
extern const TTableValue Exp2Table[Exp2TableSize];  // 2^(j/128)
extern const TLogTableEntry LogTable[LogTableSize]; // j = 0..128
// sin(j/256) and cos(j/256) for j = -SinCosTableMiddle..SinCosTableMiddle, at
// j + SinCosTableMiddle
extern const TTableValue SinTable[SinCosTableSize];
extern const TTableValue CosTable[SinCosTableSize];
extern const TTableValue AtanTable[AtanTableSize]; // arctan(j/256), j = 0..256
