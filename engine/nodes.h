// Expression nodes: what the parser and the symbols describe a formula with. A
// TExprVirtMachNode emits exactly one operation into the machine at generation.
#pragma once

#include <array>
#include <initializer_list>
#include <span>

#include "engine/virtual_machine.h"

class TExprNodeFactory;

class TExprNode {
public:
    // No operation takes more than three operands.
    static constexpr std::size_t MaxOperands = 3;

    virtual ~TExprNode() = default;

    // Appends an operand; a null one or a fourth fails an assertion.
    void AddOperand(TExprNode* node);
    std::span<TExprNode* const> Operands() const noexcept { return {FOperands.data(), Count()}; }

    // The factory that made the node, set once by that factory: a factory takes
    // only its own nodes as operands.
    const TExprNodeFactory* Factory() const noexcept { return FFactory; }
    void SetFactory(const TExprNodeFactory* factory) noexcept { FFactory = factory; }

private:
    // The operands before the first empty place.
    std::size_t Count() const noexcept {
        std::size_t n = 0;
        while (n < MaxOperands && FOperands[n])
            ++n;
        return n;
    }

    // Held in the node itself: a formula has about one node per character, and a
    // list of its own per node would cost an allocation each. Operands are never
    // null, so the first empty place ends them.
    std::array<TExprNode*, MaxOperands> FOperands{}; // not owned
    const TExprNodeFactory* FFactory = nullptr;      // not owned
};

class TExprVirtMachNode : public TExprNode {
public:
    // Makes this node's operation and appends it to the machine. Every operand must
    // already have emitted its operation.
    virtual void EmitOp(TExprVirtMach& machine) = 0;

    TExprVirtMachOp* EmittedOp() const noexcept { return FEmittedOp; }
    void ClearEmittedOp() noexcept { FEmittedOp = nullptr; }

protected:
    // The result slot of operand i's emitted operation. An index beyond the
    // operands, or an operand of another factory, fails an assertion.
    const double* OperandSlot(std::size_t i) const;
    // Makes the operation at the end of the machine's code list as this node's.
    template <typename TOp, typename... Args> void Emit(TExprVirtMach& machine, Args&&... args) {
        FEmittedOp = machine.MakeOp<TOp>(std::forward<Args>(args)...);
    }

    TExprVirtMachOp* FEmittedOp = nullptr; // not owned: the machine owns it
};

class TExprConstVmNode : public TExprVirtMachNode {
public:
    explicit TExprConstVmNode(double value) : FValue(value) {}
    void EmitOp(TExprVirtMach& machine) override;
    double Value() const noexcept { return FValue; }

private:
    double FValue;
};

template <typename TVariable, typename TOp> class TExprVarVmNode final : public TExprVirtMachNode {
public:
    explicit TExprVarVmNode(const TVariable* variable) : FVariable(variable) {}
    void EmitOp(TExprVirtMach& machine) override { Emit<TOp>(machine, FVariable); }

private:
    const TVariable* FVariable; // not owned
};

using TExprVar32VmNode = TExprVarVmNode<float, TExprVar32VmOp>;
using TExprVar64VmNode = TExprVarVmNode<double, TExprVar64VmOp>;
using TExprVar80VmNode = TExprVarVmNode<Extended, TExprVar80VmOp>;

// Which one- or two-operand operation class a node makes: each makes its operation
// at the end of the machine's code list.
using TExprUnaryOpClass = TExprUnaryVmOp* (*)(TExprVirtMach& machine, const double* x);
using TExprBinaryOpClass = TExprBinaryVmOp* (*)(TExprVirtMach& machine, const double* x,
                                                const double* y);

template <typename TOp> TExprUnaryVmOp* MakeUnaryOp(TExprVirtMach& machine, const double* x) {
    return machine.MakeOp<TOp>(x);
}
template <typename TOp>
TExprBinaryVmOp* MakeBinaryOp(TExprVirtMach& machine, const double* x, const double* y) {
    return machine.MakeOp<TOp>(x, y);
}

class TExprUnaryVmNode final : public TExprVirtMachNode {
public:
    // Exactly one operand, or EAssertionFailed.
    TExprUnaryVmNode(TExprUnaryOpClass opClass, std::initializer_list<TExprNode*> operands);
    void EmitOp(TExprVirtMach& machine) override;

private:
    TExprUnaryOpClass FOpClass;
};

class TExprBinaryVmNode final : public TExprVirtMachNode {
public:
    // Exactly two operands, or EAssertionFailed.
    TExprBinaryVmNode(TExprBinaryOpClass opClass, std::initializer_list<TExprNode*> operands);
    void EmitOp(TExprVirtMach& machine) override;

private:
    TExprBinaryOpClass FOpClass;
};

class TExprCompareVmNode final : public TExprVirtMachNode {
public:
    void EmitOp(TExprVirtMach& machine) override;
};

template <TCallWidth W, std::size_t N> class TExprCallVmNode final : public TExprVirtMachNode {
public:
    using TOp = TExprCallVmOp<W, N>;
    explicit TExprCallVmNode(typename TOp::TFunc function) : F(function) {}

    void EmitOp(TExprVirtMach& machine) override {
        std::array<const double*, N> arguments{};
        for (std::size_t i = 0; i < N; ++i)
            arguments[i] = OperandSlot(i);
        Emit<TOp>(machine, F, arguments);
    }

private:
    typename TOp::TFunc F; // not owned
};

using TExprCallFloatVmNode = TExprCallVmNode<TCallWidth::Plain, 0>;
using TExprCallFloat32VmNode = TExprCallVmNode<TCallWidth::Bits32, 0>;
using TExprCallFloat64VmNode = TExprCallVmNode<TCallWidth::Bits64, 0>;
using TExprCallFloat80VmNode = TExprCallVmNode<TCallWidth::Bits80, 0>;
using TExprCallUnaryVmNode = TExprCallVmNode<TCallWidth::Plain, 1>;
using TExprCallUnary32VmNode = TExprCallVmNode<TCallWidth::Bits32, 1>;
using TExprCallUnary64VmNode = TExprCallVmNode<TCallWidth::Bits64, 1>;
using TExprCallUnary80VmNode = TExprCallVmNode<TCallWidth::Bits80, 1>;
using TExprCallBinaryVmNode = TExprCallVmNode<TCallWidth::Plain, 2>;
using TExprCallBinary32VmNode = TExprCallVmNode<TCallWidth::Bits32, 2>;
using TExprCallBinary64VmNode = TExprCallVmNode<TCallWidth::Bits64, 2>;
using TExprCallBinary80VmNode = TExprCallVmNode<TCallWidth::Bits80, 2>;
using TExprCallTernaryVmNode = TExprCallVmNode<TCallWidth::Plain, 3>;
using TExprCallTernary32VmNode = TExprCallVmNode<TCallWidth::Bits32, 3>;
using TExprCallTernary64VmNode = TExprCallVmNode<TCallWidth::Bits64, 3>;
using TExprCallTernary80VmNode = TExprCallVmNode<TCallWidth::Bits80, 3>;
