// The node factory: the parser and the symbols describe a formula through it, one
// call per operation. TExprVirtMachNodeFactory records the nodes and generates the
// machine's program from them.
#pragma once

#include <utility>
#include <vector>

#include "engine/arena.h"
#include "engine/nodes.h"

class TExprNodeFactory {
public:
    virtual ~TExprNodeFactory() = default;

    virtual TExprNode* MakeVar32(const float* variable) = 0;
    virtual TExprNode* MakeVar64(const double* variable) = 0;
    virtual TExprNode* MakeVar80(const Extended* variable) = 0;
    virtual TExprNode* MakeConst32(float value) = 0;
    virtual TExprNode* MakeConst64(double value) = 0;
    virtual TExprNode* MakeConst80(Extended value) = 0;
    virtual TExprNode* MakeCallFloat(TFloatFunc function) = 0;
    virtual TExprNode* MakeCallFloat32(TFloat32Func function) = 0;
    virtual TExprNode* MakeCallFloat64(TFloat64Func function) = 0;
    virtual TExprNode* MakeCallFloat80(TFloat80Func function) = 0;
    virtual TExprNode* MakeCallUnary(TUnaryFunc function, TExprNode* x) = 0;
    virtual TExprNode* MakeCallUnary32(TUnary32Func function, TExprNode* x) = 0;
    virtual TExprNode* MakeCallUnary64(TUnary64Func function, TExprNode* x) = 0;
    virtual TExprNode* MakeCallUnary80(TUnary80Func function, TExprNode* x) = 0;
    virtual TExprNode* MakeCallBinary(TBinaryFunc function, TExprNode* x, TExprNode* y) = 0;
    virtual TExprNode* MakeCallBinary32(TBinary32Func function, TExprNode* x, TExprNode* y) = 0;
    virtual TExprNode* MakeCallBinary64(TBinary64Func function, TExprNode* x, TExprNode* y) = 0;
    virtual TExprNode* MakeCallBinary80(TBinary80Func function, TExprNode* x, TExprNode* y) = 0;
    virtual TExprNode* MakeCallTernary(TTernaryFunc function, TExprNode* x, TExprNode* y,
                                       TExprNode* z) = 0;
    virtual TExprNode* MakeCallTernary32(TTernary32Func function, TExprNode* x, TExprNode* y,
                                         TExprNode* z) = 0;
    virtual TExprNode* MakeCallTernary64(TTernary64Func function, TExprNode* x, TExprNode* y,
                                         TExprNode* z) = 0;
    virtual TExprNode* MakeCallTernary80(TTernary80Func function, TExprNode* x, TExprNode* y,
                                         TExprNode* z) = 0;
    virtual TExprNode* MakeAdd(TExprNode* left, TExprNode* right) = 0;
    virtual TExprNode* MakeSubtract(TExprNode* left, TExprNode* right) = 0;
    virtual TExprNode* MakeMultiply(TExprNode* left, TExprNode* right) = 0;
    virtual TExprNode* MakeDivide(TExprNode* left, TExprNode* right) = 0;
    virtual TExprNode* MakeNegate(TExprNode* operand) = 0;
    virtual TExprNode* MakeCompare(TExprNode* left, TExprNode* right) = 0;

    // A constant of the engine's value type.
    TExprNode* MakeConst(double value) { return MakeConst64(value); }
};

class TExprVirtMachNodeFactory final : public TExprNodeFactory {
public:
    TExprVirtMachNodeFactory() = default;
    ~TExprVirtMachNodeFactory() override;
    TExprVirtMachNodeFactory(const TExprVirtMachNodeFactory&) = delete;
    TExprVirtMachNodeFactory& operator=(const TExprVirtMachNodeFactory&) = delete;

    TExprNode* MakeVar32(const float* variable) override;
    TExprNode* MakeVar64(const double* variable) override;
    TExprNode* MakeVar80(const Extended* variable) override;
    TExprNode* MakeConst32(float value) override;
    TExprNode* MakeConst64(double value) override;
    TExprNode* MakeConst80(Extended value) override;
    TExprNode* MakeCallFloat(TFloatFunc function) override;
    TExprNode* MakeCallFloat32(TFloat32Func function) override;
    TExprNode* MakeCallFloat64(TFloat64Func function) override;
    TExprNode* MakeCallFloat80(TFloat80Func function) override;
    TExprNode* MakeCallUnary(TUnaryFunc function, TExprNode* x) override;
    TExprNode* MakeCallUnary32(TUnary32Func function, TExprNode* x) override;
    TExprNode* MakeCallUnary64(TUnary64Func function, TExprNode* x) override;
    TExprNode* MakeCallUnary80(TUnary80Func function, TExprNode* x) override;
    TExprNode* MakeCallBinary(TBinaryFunc function, TExprNode* x, TExprNode* y) override;
    TExprNode* MakeCallBinary32(TBinary32Func function, TExprNode* x, TExprNode* y) override;
    TExprNode* MakeCallBinary64(TBinary64Func function, TExprNode* x, TExprNode* y) override;
    TExprNode* MakeCallBinary80(TBinary80Func function, TExprNode* x, TExprNode* y) override;
    TExprNode* MakeCallTernary(TTernaryFunc function, TExprNode* x, TExprNode* y,
                               TExprNode* z) override;
    TExprNode* MakeCallTernary32(TTernary32Func function, TExprNode* x, TExprNode* y,
                                 TExprNode* z) override;
    TExprNode* MakeCallTernary64(TTernary64Func function, TExprNode* x, TExprNode* y,
                                 TExprNode* z) override;
    TExprNode* MakeCallTernary80(TTernary80Func function, TExprNode* x, TExprNode* y,
                                 TExprNode* z) override;
    TExprNode* MakeAdd(TExprNode* left, TExprNode* right) override;
    TExprNode* MakeSubtract(TExprNode* left, TExprNode* right) override;
    TExprNode* MakeMultiply(TExprNode* left, TExprNode* right) override;
    TExprNode* MakeDivide(TExprNode* left, TExprNode* right) override;
    TExprNode* MakeNegate(TExprNode* operand) override;
    TExprNode* MakeCompare(TExprNode* left, TExprNode* right) override;

    // Makes a node (without operands), marks it as this factory's, appends it to the
    // node list and returns it; the factory owns it.
    template <typename TNode, typename... Args> TNode* AppendNode(Args&&... args) {
        if (FNodes.size() == FNodes.capacity())
            FNodes.reserve(FNodes.empty() ? 64 : 2 * FNodes.size());
        TNode* node = FArena.Make<TNode>(std::forward<Args>(args)...);
        node->SetFactory(this);
        FNodes.push_back(node);
        return node;
    }
    // Builds the program into the machine: clear, constants, then code, each pass in
    // creation order. May be called again; it rebuilds the same program.
    void Generate(TExprVirtMach& machine);

    const std::vector<TExprVirtMachNode*>& Nodes() const noexcept { return FNodes; }

private:
    // Every operand is a node of this factory, or EAssertionFailed.
    void CheckOperands(std::initializer_list<TExprNode*> operands) const;
    template <typename TNode, typename... Args>
    TExprNode* MakeWithOperands(std::initializer_list<TExprNode*> operands, Args... args);
    template <typename TOp> TExprNode* MakeArithmetic(TExprNode* left, TExprNode* right);

    TArena FArena;                          // where every node lives
    std::vector<TExprVirtMachNode*> FNodes; // owned, in FArena, in creation order
};
