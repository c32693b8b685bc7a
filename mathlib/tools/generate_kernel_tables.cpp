// Prints mathlib/kernel_tables.cpp (no argument) or mathlib/kernel_constants.h
// (argument "constants"): the values the extended-precision kernels use, each split
// into parts that sum to it within about 106 bits or better, from MPFR at 256 bits,
// and the tables' sizes. How to run it is in the README.
#include <mpfr.h>

#include <cstdio>
#include <string_view>

namespace {

constexpr mpfr_prec_t Bits = 256;

// The tables' shapes, printed as constants for the kernels that index them.
constexpr int Exp2TableSize = 128;     // 2^(j/128), j = 0..127
constexpr int LogTableSize = 129;      // 1 + j/128, j = 0..128
constexpr int SinCosTableMiddle = 202; // j/256 for j = -202..202 covers [-pi/4, pi/4]
constexpr int SinCosTableSize = 2 * SinCosTableMiddle + 1;
constexpr int AtanTableSize = 257; // arctan(j/256), j = 0..256

// Prints "{hi, lo}," for the value v: hi is v rounded to double, lo the rest
// rounded to double (about 106 bits in all). Doubles load in one step.
// The row's index follows as a comment.
void PrintWide(mpfr_t v, int index) {
    const double hi = mpfr_get_d(v, MPFR_RNDN);
    mpfr_t rest;
    mpfr_init2(rest, Bits);
    mpfr_sub_d(rest, v, hi, MPFR_RNDN);
    std::printf("    {%a, %a}, // %d\n", hi, mpfr_get_d(rest, MPFR_RNDN), index);
    mpfr_clear(rest);
}

// 2^(j/128) for j = 0..127.
void PrintExp2() {
    std::printf("const TTableValue Exp2Table[Exp2TableSize] = {\n");
    mpfr_t v;
    mpfr_init2(v, Bits);
    for (int j = 0; j < Exp2TableSize; ++j) {
        mpfr_set_si(v, j, MPFR_RNDN);
        mpfr_div_ui(v, v, Exp2TableSize, MPFR_RNDN);
        mpfr_exp2(v, v, MPFR_RNDN);
        PrintWide(v, j);
    }
    std::printf("};\n\n");
    mpfr_clear(v);
}

// The reciprocal of 1 + j/128 rounded to 9 significant bits, so that it times
// either half of a split significand is exact, and
// minus its logarithm; above j = 64 the logarithm of twice it, as the caller counts
// one more power of two there.
void PrintLog() {
    std::printf("const TLogTableEntry LogTable[LogTableSize] = {\n");
    mpfr_t c, v;
    mpfr_init2(c, 9);
    mpfr_init2(v, Bits);
    for (int j = 0; j < LogTableSize; ++j) {
        mpfr_set_ui(v, 128 + static_cast<unsigned>(j), MPFR_RNDN);
        mpfr_ui_div(c, 128, v, MPFR_RNDN);
        mpfr_set(v, c, MPFR_RNDN);
        if (j > 64) mpfr_mul_2ui(v, v, 1, MPFR_RNDN);
        mpfr_log(v, v, MPFR_RNDN);
        mpfr_neg(v, v, MPFR_RNDN);
        const double hi = mpfr_get_d(v, MPFR_RNDN);
        mpfr_sub_d(v, v, hi, MPFR_RNDN);
        std::printf("    {%a, %a, %a}, // %d\n", mpfr_get_d(c, MPFR_RNDN), hi,
                    mpfr_get_d(v, MPFR_RNDN), j);
    }
    std::printf("};\n\n");
    mpfr_clear(c);
    mpfr_clear(v);
}

// f(j/steps) for j = first..last, in a table whose size has the given name.
void PrintOfFractions(const char* name, const char* size, int steps, int first, int last,
                      int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
    std::printf("const TTableValue %s[%s] = {\n", name, size);
    mpfr_t v;
    mpfr_init2(v, Bits);
    for (int j = first; j <= last; ++j) {
        mpfr_set_si(v, j, MPFR_RNDN);
        mpfr_div_ui(v, v, static_cast<unsigned long>(steps), MPFR_RNDN);
        f(v, v, MPFR_RNDN);
        PrintWide(v, j - first);
    }
    std::printf("};\n\n");
    mpfr_clear(v);
}

enum class TConstant { Pi, InversePi, Ln2, Log2E, Log10E };

void SetConstant(mpfr_t v, TConstant c) {
    switch (c) {
    case TConstant::Pi:
        mpfr_const_pi(v, MPFR_RNDN);
        break;
    case TConstant::InversePi:
        mpfr_const_pi(v, MPFR_RNDN);
        mpfr_ui_div(v, 1, v, MPFR_RNDN);
        break;
    case TConstant::Ln2:
        mpfr_const_log2(v, MPFR_RNDN);
        break;
    case TConstant::Log2E: // 1 / ln 2
        mpfr_const_log2(v, MPFR_RNDN);
        mpfr_ui_div(v, 1, v, MPFR_RNDN);
        break;
    case TConstant::Log10E: // 1 / ln 10
        mpfr_set_ui(v, 10, MPFR_RNDN);
        mpfr_log(v, v, MPFR_RNDN);
        mpfr_ui_div(v, 1, v, MPFR_RNDN);
        break;
    }
}

// Prints c * numerator / denominator in double parts of the given bits (0: 53).
void PrintParts(TConstant c, long numerator, long denominator, const char* const names[],
                const int bits[], int count) {
    mpfr_t v, part;
    mpfr_init2(v, Bits);
    SetConstant(v, c);
    mpfr_mul_si(v, v, numerator, MPFR_RNDN);
    mpfr_div_si(v, v, denominator, MPFR_RNDN);
    for (int i = 0; i < count; ++i) {
        mpfr_init2(part, bits[i] ? bits[i] : 53);
        mpfr_set(part, v, MPFR_RNDN);
        std::printf("inline constexpr double %s = %a;\n", names[i], mpfr_get_d(part, MPFR_RNDN));
        mpfr_sub(v, v, part, MPFR_RNDN);
        mpfr_clear(part);
    }
    mpfr_clear(v);
}

void PrintConstants() {
    const int full[] = {0, 0, 0, 0};
    const char* const ln2[] = {"Ln2Hi", "Ln2Lo"};
    const int ln2Bits[] = {42, 0};
    PrintParts(TConstant::Ln2, 1, 1, ln2, ln2Bits, 2);
    const char* const step[] = {"Ln2By128Hi", "Ln2By128Lo"};
    const int stepBits[] = {32, 0};
    PrintParts(TConstant::Ln2, 1, Exp2TableSize, step, stepBits, 2);
    const char* const halfPi[] = {"HalfPi1", "HalfPi2", "HalfPi3", "HalfPi4"};
    const int halfPiBits[] = {25, 25, 25, 0};
    PrintParts(TConstant::Pi, 1, 2, halfPi, halfPiBits, 4);
    const char* const halfPiPair[] = {"HalfPiHi", "HalfPiLo"};
    PrintParts(TConstant::Pi, 1, 2, halfPiPair, full, 2);
    const char* const piPair[] = {"PiHi", "PiLo"};
    PrintParts(TConstant::Pi, 1, 1, piPair, full, 2);
    const char* const log2e[] = {"Log2EHi", "Log2ELo"};
    PrintParts(TConstant::Log2E, 1, 1, log2e, full, 2);
    const char* const log10e[] = {"Log10EHi", "Log10ELo"};
    PrintParts(TConstant::Log10E, 1, 1, log10e, full, 2);
    // The reductions' multipliers, rounded to double: k = round(x 128/ln 2) for e^x,
    // k = round(x 2/pi) for sin and cos.
    const char* const expSteps[] = {"ExpStepsPerUnit"};
    PrintParts(TConstant::Log2E, Exp2TableSize, 1, expSteps, full, 1);
    const char* const quarterTurns[] = {"QuarterTurnsPerUnit"};
    PrintParts(TConstant::InversePi, 2, 1, quarterTurns, full, 1);
    std::printf("\n// The tables' sizes (kernel_tables.h)\n");
    std::printf("inline constexpr int Exp2TableSize = %d;\n", Exp2TableSize);
    std::printf("inline constexpr int LogTableSize = %d;\n", LogTableSize);
    std::printf("inline constexpr long SinCosTableMiddle = %d;\n", SinCosTableMiddle);
    std::printf("inline constexpr int SinCosTableSize = %d;\n", SinCosTableSize);
    std::printf("inline constexpr int AtanTableSize = %d;\n", AtanTableSize);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "constants") {
        std::printf("// The constants of the double-double kernels, printed by\n"
                    "// mathlib/tools/generate_kernel_tables.cpp from MPFR: do not edit.\n"
                    "#pragma once\n\n");
        PrintConstants();
        return 0;
    }
    std::printf("// The tables of the double-double kernels, printed by\n"
                "// mathlib/tools/generate_kernel_tables.cpp from MPFR: do not edit.\n"
                "#include \"mathlib/kernel_tables.h\"\n\n");
    PrintExp2();
    PrintLog();
    PrintOfFractions("SinTable", "SinCosTableSize", 256, -SinCosTableMiddle, SinCosTableMiddle,
                     mpfr_sin);
    PrintOfFractions("CosTable", "SinCosTableSize", 256, -SinCosTableMiddle, SinCosTableMiddle,
                     mpfr_cos);
    PrintOfFractions("AtanTable", "AtanTableSize", 256, 0, AtanTableSize - 1, mpfr_atan);
    return 0;
}
