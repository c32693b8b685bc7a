// Expression nodes: what the parser and the symbols describe a formula with. A
// TExprVirtMachNode emits exactly one operation into the machine at generation.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/virtual_machine.h"

class TExprNodeFactory;

class TExprNode {
public:
    virtual ~TExprNode() = default;

    void AddOperand(TExprNode* node) { FOperands.push_back(node); }
    const std::vector<TExprNode*>& Operands() const noexcept { return FOperands; }

    // The factory that made the node, set once by that factory: a factory takes
    // only its own nodes as operands.
    const TExprNodeFactory* Factory() const noexcept { return FFactory; }
    void SetFactory(const TExprNodeFactory* factory) noexcept { FFactory = factory; }

private:
    std::vector<TExprNode*> FOperands;          // not owned
    const TExprNodeFactory* FFactory = nullptr; // not owned
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
    void Emit(TExprVirtMach& machine, std::unique_ptr<TExprVirtMachOp> op);

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
    void EmitOp(TExprVirtMach& machine) override {
        Emit(machine, std::make_unique<TOp>(FVariable));
    }

private:
    const TVariable* FVariable; // not owned
};

using TExprVar32VmNode = TExprVarVmNode<float, TExprVar32VmOp>;
using TExprVar64VmNode = TExprVarVmNode<double, TExprVar64VmOp>;
using TExprVar80VmNode = TExprVarVmNode<Extended, TExprVar80VmOp>;

// Which one- or two-operand operation class a node makes.
using TExprUnaryOpClass = std::unique_ptr<TExprUnaryVmOp> (*)(const double* x);
using TExprBinaryOpClass = std::unique_ptr<TExprBinaryVmOp> (*)(const double* x, const double* y);

template <typename TOp> std::unique_ptr<TExprUnaryVmOp> MakeUnaryOp(const double* x) {
    return std::make_unique<TOp>(x);
}
template <typename TOp>
std::unique_ptr<TExprBinaryVmOp> MakeBinaryOp(const double* x, const double* y) {
    return std::make_unique<TOp>(x, y);
}

class TExprUnaryVmNode final : public TExprVirtMachNode {
public:
    // Exactly one operand, or EAssertionFailed.
    TExprUnaryVmNode(TExprUnaryOpClass opClass, const std::vector<TExprNode*>& operands);
    void EmitOp(TExprVirtMach& machine) override;

private:
    TExprUnaryOpClass FOpClass;
};

class TExprBinaryVmNode final : public TExprVirtMachNode {
public:
    // Exactly two operands, or EAssertionFailed.
    TExprBinaryVmNode(TExprBinaryOpClass opClass, const std::vector<TExprNode*>& operands);
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
        Emit(machine, std::make_unique<TOp>(F, arguments));
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
