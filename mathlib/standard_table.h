// The contents of the standard symbol table: the built-in constants and the
// built-in functions with their formula adapters, in the order they are added.
#pragma once

#include <span>
#include <string_view>

#include "platform/floating_point.h"

struct TStandardConstant {
    std::string_view Name;
    Extended Value; // rounded to double when the symbol is made
};

using TUnaryAdapter = double (*)(double);
using TBinaryAdapter = double (*)(double, double);
// The exact value correctly rounded, from MPFR alone (a unary function ignores y).
using TExactValue = double (*)(double x, double y);

struct TStandardFunction {
    std::string_view Name;
    int Arity;                       // 1 or 2
    TUnaryAdapter Unary = nullptr;   // set when Arity is 1
    TBinaryAdapter Binary = nullptr; // set when Arity is 2
    TExactValue Exact = nullptr;     // what the adapter must agree with
};

std::span<const TStandardConstant> StandardConstants() noexcept;
// The functions of one argument first, then those of two.
std::span<const TStandardFunction> StandardFunctions() noexcept;
