// The two builds of the built-in functions and the choice between them: Portable
// (Dekker's products, any x86-64) and Fma (fused products, on processors with fused
// multiply-add). Both give the same correctly rounded double for every argument;
// Fma is faster. The choice is made once: Fma when the processor has it, unless the
// environment variable ZENTAVO_MATH is "portable".
#pragma once

#include <span>

#include "mathlib/standard_table.h"

enum class TMathVariant { Portable, Fma };

std::span<const TStandardFunction> PortableFunctions() noexcept;
// Only for a processor with fused multiply-add (ProcessorHasFma).
std::span<const TStandardFunction> FmaFunctions() noexcept;

bool ProcessorHasFma() noexcept;
// The build in use, decided at the first call.
TMathVariant ChosenMathVariant() noexcept;
const char* MathVariantName(TMathVariant variant) noexcept;
