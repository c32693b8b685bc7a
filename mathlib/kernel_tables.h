// The tables the extended-precision kernels look up. Each value is the sum of an
// Extended number and a much smaller correction, about 128 bits in all.
#pragma once

#include "platform/floating_point.h"

struct TWideTableEntry {
    Extended Hi, Lo;
};

struct TLogTableEntry {
    Extended Reciprocal; // about 1 / (1 + j/128), 11 significant bits
    Extended Hi, Lo;     // -ln(Reciprocal), or -ln(2 Reciprocal) above j = 64
};

extern const TWideTableEntry Exp2Table[128];  // 2^(j/128)
extern const TLogTableEntry LogTable[129];    // j = 0..128
extern const TWideTableEntry SinTable[52];    // sin(j/64)
extern const TWideTableEntry CosTable[52];    // cos(j/64)
extern const TWideTableEntry AtanTable[65];   // arctan(j/64)
