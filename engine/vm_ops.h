// The operations of the expression virtual machine. Each owns a double result slot
// and reads its operands through addresses fixed when the program was generated:
// result slots of earlier operations, or the caller's variables. Each stores its
// exact result rounded once to double (arithmetic in double, calls of Extended
// functions rounded at the store) and reports faults at once.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "platform/floating_point.h"

class TExprVirtMachOp {
public:
    virtual ~TExprVirtMachOp() = default;
    // Computes the value and stores it in the result slot.
    virtual void Perform() = 0;

    double Result() const noexcept { return FResult; }
    // Stable for the operation's lifetime; consumers hold this address.
    const double* ResultSlot() const noexcept { return &FResult; }

protected:
    double FResult = 0.0;
};

// --- variables -------------------------------------------------------------------

// A variable that holds NaN raises EInvalidOp, an infinite one EOverflow.
class TExprVarVmOp : public TExprVirtMachOp {};

class TExprVar32VmOp final : public TExprVarVmOp { // result := *variable, widened exactly
public:
    explicit TExprVar32VmOp(const float* variable) : FVariable(variable) {}
    void Perform() override;

private:
    const float* FVariable; // not owned
};

class TExprVar64VmOp final : public TExprVarVmOp { // result := *variable, bit for bit
public:
    explicit TExprVar64VmOp(const double* variable) : FVariable(variable) {}
    void Perform() override;

private:
    const double* FVariable; // not owned
};

class TExprVar80VmOp final : public TExprVarVmOp { // result := *variable rounded to double
public:
    explicit TExprVar80VmOp(const Extended* variable) : FVariable(variable) {}
    void Perform() override;

private:
    const Extended* FVariable; // not owned
};

// --- constants -------------------------------------------------------------------

class TExprConstVmOp final : public TExprVirtMachOp { // result := value, written once
public:
    explicit TExprConstVmOp(double value) { FResult = value; }
    void Perform() override {}
};

// --- arithmetic ------------------------------------------------------------------

class TExprUnaryVmOp : public TExprVirtMachOp {
public:
    explicit TExprUnaryVmOp(const double* x) : X(x) {}

protected:
    const double* X; // not owned
};

class TExprNegateVmOp final : public TExprUnaryVmOp { // result := -X
public:
    using TExprUnaryVmOp::TExprUnaryVmOp;
    void Perform() override;
};

class TExprBinaryVmOp : public TExprVirtMachOp {
public:
    TExprBinaryVmOp(const double* x, const double* y) : X(x), Y(y) {}

protected:
    const double* X; // not owned
    const double* Y; // not owned
};

class TExprAddVmOp final : public TExprBinaryVmOp { // result := X + Y
public:
    using TExprBinaryVmOp::TExprBinaryVmOp;
    void Perform() override;
};

class TExprSubtractVmOp final : public TExprBinaryVmOp { // result := X - Y
public:
    using TExprBinaryVmOp::TExprBinaryVmOp;
    void Perform() override;
};

class TExprMultiplyVmOp final : public TExprBinaryVmOp { // result := X * Y
public:
    using TExprBinaryVmOp::TExprBinaryVmOp;
    void Perform() override;
};

class TExprDivideVmOp final : public TExprBinaryVmOp { // result := X / Y
public:
    using TExprBinaryVmOp::TExprBinaryVmOp;
    void Perform() override;
};

class TExprCompareVmOp final : public TExprBinaryVmOp { // result := -1, 0 or +1 as X <, =, > Y
public:
    using TExprBinaryVmOp::TExprBinaryVmOp;
    void Perform() override;
};

// --- calls ---------------------------------------------------------------------
// result := F(), F(X), F(X, Y) or F(X, Y, Z). The width fixes how each argument is
// passed (as is; rounded to the nearest float; widened exactly to Extended), and the
// result of any width is rounded to double. The plain and 64-bit widths behave alike.

enum class TCallWidth { Plain, Bits32, Bits64, Bits80 };

// Read as two small tables, one row a line.
// clang-format off
template <TCallWidth W> struct TCallWidthType { using Type = double; };
template <> struct TCallWidthType<TCallWidth::Bits32> { using Type = float; };
template <> struct TCallWidthType<TCallWidth::Bits80> { using Type = Extended; };

template <typename T, std::size_t N> struct TCallableOf;
template <typename T> struct TCallableOf<T, 0> { using Type = T (*)(); };
template <typename T> struct TCallableOf<T, 1> { using Type = T (*)(T); };
template <typename T> struct TCallableOf<T, 2> { using Type = T (*)(T, T); };
template <typename T> struct TCallableOf<T, 3> { using Type = T (*)(T, T, T); };
// clang-format on

template <TCallWidth W, std::size_t N> class TExprCallVmOp final : public TExprVirtMachOp {
public:
    using TValue = typename TCallWidthType<W>::Type;
    using TFunc = typename TCallableOf<TValue, N>::Type;

    TExprCallVmOp(TFunc function, std::array<const double*, N> arguments)
        : F(function), FArguments(arguments) {}

    void Perform() override {
        if constexpr (W == TCallWidth::Bits80)
            FResult =
                RoundResult(Call(std::make_index_sequence<N>{}), TFloatingPointFault::Overflow);
        else
            FResult = CheckResult(static_cast<double>(Call(std::make_index_sequence<N>{})),
                                  TFloatingPointFault::Overflow);
    }

private:
    static TValue Pass(double argument) {
        if constexpr (W == TCallWidth::Bits32)
            return NarrowToSingle(argument);
        else
            return argument;
    }

    template <std::size_t... I> TValue Call(std::index_sequence<I...>) const {
        return F(Pass(*FArguments[I])...);
    }

    TFunc F;                                 // not owned
    std::array<const double*, N> FArguments; // X, Y, Z; not owned
};

using TExprCallFloatVmOp = TExprCallVmOp<TCallWidth::Plain, 0>;
using TExprCallFloat32VmOp = TExprCallVmOp<TCallWidth::Bits32, 0>;
using TExprCallFloat64VmOp = TExprCallVmOp<TCallWidth::Bits64, 0>;
using TExprCallFloat80VmOp = TExprCallVmOp<TCallWidth::Bits80, 0>;
using TExprCallUnaryVmOp = TExprCallVmOp<TCallWidth::Plain, 1>;
using TExprCallUnary32VmOp = TExprCallVmOp<TCallWidth::Bits32, 1>;
using TExprCallUnary64VmOp = TExprCallVmOp<TCallWidth::Bits64, 1>;
using TExprCallUnary80VmOp = TExprCallVmOp<TCallWidth::Bits80, 1>;
using TExprCallBinaryVmOp = TExprCallVmOp<TCallWidth::Plain, 2>;
using TExprCallBinary32VmOp = TExprCallVmOp<TCallWidth::Bits32, 2>;
using TExprCallBinary64VmOp = TExprCallVmOp<TCallWidth::Bits64, 2>;
using TExprCallBinary80VmOp = TExprCallVmOp<TCallWidth::Bits80, 2>;
using TExprCallTernaryVmOp = TExprCallVmOp<TCallWidth::Plain, 3>;
using TExprCallTernary32VmOp = TExprCallVmOp<TCallWidth::Bits32, 3>;
using TExprCallTernary64VmOp = TExprCallVmOp<TCallWidth::Bits64, 3>;
using TExprCallTernary80VmOp = TExprCallVmOp<TCallWidth::Bits80, 3>;

// The callables the symbols and the factory pass around.
using TFloatFunc = TExprCallFloatVmOp::TFunc;
using TFloat32Func = TExprCallFloat32VmOp::TFunc;
using TFloat64Func = TExprCallFloat64VmOp::TFunc;
using TFloat80Func = TExprCallFloat80VmOp::TFunc;
using TUnaryFunc = TExprCallUnaryVmOp::TFunc;
using TUnary32Func = TExprCallUnary32VmOp::TFunc;
using TUnary64Func = TExprCallUnary64VmOp::TFunc;
using TUnary80Func = TExprCallUnary80VmOp::TFunc;
using TBinaryFunc = TExprCallBinaryVmOp::TFunc;
using TBinary32Func = TExprCallBinary32VmOp::TFunc;
using TBinary64Func = TExprCallBinary64VmOp::TFunc;
using TBinary80Func = TExprCallBinary80VmOp::TFunc;
using TTernaryFunc = TExprCallTernaryVmOp::TFunc;
using TTernary32Func = TExprCallTernary32VmOp::TFunc;
using TTernary64Func = TExprCallTernary64VmOp::TFunc;
using TTernary80Func = TExprCallTernary80VmOp::TFunc;
