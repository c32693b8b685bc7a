// The tables the double-double kernels look up. Each value is the sum of two
// doubles, about 106 bits in all.
#pragma once

struct TTableValue {
    double Hi, Lo;
};

struct TLogTableEntry {
    double Reciprocal; // about 1 / (1 + j/128), at most 9 significant bits
    double Hi, Lo;     // -ln(Reciprocal), or -ln(2 Reciprocal) above j = 64
};

extern const TTableValue Exp2Table[128]; // 2^(j/128)
extern const TLogTableEntry LogTable[129]; // j = 0..128
inline constexpr long SinCosTableMiddle = 202;
extern const TTableValue SinTable[405];  // sin(j/256) for j = -202..202, at j + 202
extern const TTableValue CosTable[405];  // cos(j/256) for j = -202..202, at j + 202
extern const TTableValue AtanTable[257]; // arctan(j/256)
