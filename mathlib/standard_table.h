// The contents of the standard symbol table: the 49 built-in constants and the 39
// built-in functions with their formula adapters, in the order they are added.
#pragma once

#include <span>
#include <string_view>

#include "mathlib/formula_adapters.h"

struct TStandardConstant {
    std::string_view Name;
    Extended Value; // rounded to double when the symbol is made
};

struct TStandardFunction {
    std::string_view Name;
    int Arity;                       // 1 or 2
    TUnaryAdapter Unary = nullptr;   // set when Arity is 1
    TBinaryAdapter Binary = nullptr; // set when Arity is 2
};

std::span<const TStandardConstant> StandardConstants() noexcept;
// The functions of one argument first, then those of two.
std::span<const TStandardFunction> StandardFunctions() noexcept;
