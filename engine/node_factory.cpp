// The node factory of the virtual machine: records every node in creation order
// and generates the program from them in three passes.
#include "engine/node_factory.h"

#include "platform/exceptions.h"

void TExprVirtMachNodeFactory::CheckOperands(std::initializer_list<TExprNode*> operands) const {
    for (TExprNode* operand : operands)
        Assert(operand != nullptr && operand->Factory() == this);
}

template <typename TNode, typename... Args>
TExprNode* TExprVirtMachNodeFactory::MakeWithOperands(std::initializer_list<TExprNode*> operands,
                                                      Args... args) {
    CheckOperands(operands);
    TNode* node = AppendNode<TNode>(args...);
    for (TExprNode* operand : operands)
        node->AddOperand(operand);
    return node;
}

TExprVirtMachNodeFactory::~TExprVirtMachNodeFactory() {
    for (TExprVirtMachNode* node : FNodes)
        node->~TExprVirtMachNode();
}

TExprNode* TExprVirtMachNodeFactory::MakeVar32(const float* variable) {
    return MakeWithOperands<TExprVar32VmNode>({}, variable);
}

TExprNode* TExprVirtMachNodeFactory::MakeVar64(const double* variable) {
    return MakeWithOperands<TExprVar64VmNode>({}, variable);
}

TExprNode* TExprVirtMachNodeFactory::MakeVar80(const Extended* variable) {
    return MakeWithOperands<TExprVar80VmNode>({}, variable);
}

TExprNode* TExprVirtMachNodeFactory::MakeConst32(float value) {
    return MakeWithOperands<TExprConstVmNode>({}, static_cast<double>(value));
}

TExprNode* TExprVirtMachNodeFactory::MakeConst64(double value) {
    return MakeWithOperands<TExprConstVmNode>({}, value);
}

// Rounded to double when made; beyond the double range raises EOverflow.
TExprNode* TExprVirtMachNodeFactory::MakeConst80(Extended value) {
    return MakeWithOperands<TExprConstVmNode>({}, NarrowToDouble(value));
}

TExprNode* TExprVirtMachNodeFactory::MakeCallFloat(TFloatFunc function) {
    return MakeWithOperands<TExprCallFloatVmNode>({}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallFloat32(TFloat32Func function) {
    return MakeWithOperands<TExprCallFloat32VmNode>({}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallFloat64(TFloat64Func function) {
    return MakeWithOperands<TExprCallFloat64VmNode>({}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallFloat80(TFloat80Func function) {
    return MakeWithOperands<TExprCallFloat80VmNode>({}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallUnary(TUnaryFunc function, TExprNode* x) {
    return MakeWithOperands<TExprCallUnaryVmNode>({x}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallUnary32(TUnary32Func function, TExprNode* x) {
    return MakeWithOperands<TExprCallUnary32VmNode>({x}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallUnary64(TUnary64Func function, TExprNode* x) {
    return MakeWithOperands<TExprCallUnary64VmNode>({x}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallUnary80(TUnary80Func function, TExprNode* x) {
    return MakeWithOperands<TExprCallUnary80VmNode>({x}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallBinary(TBinaryFunc function, TExprNode* x,
                                                    TExprNode* y) {
    return MakeWithOperands<TExprCallBinaryVmNode>({x, y}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallBinary32(TBinary32Func function, TExprNode* x,
                                                      TExprNode* y) {
    return MakeWithOperands<TExprCallBinary32VmNode>({x, y}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallBinary64(TBinary64Func function, TExprNode* x,
                                                      TExprNode* y) {
    return MakeWithOperands<TExprCallBinary64VmNode>({x, y}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallBinary80(TBinary80Func function, TExprNode* x,
                                                      TExprNode* y) {
    return MakeWithOperands<TExprCallBinary80VmNode>({x, y}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallTernary(TTernaryFunc function, TExprNode* x,
                                                     TExprNode* y, TExprNode* z) {
    return MakeWithOperands<TExprCallTernaryVmNode>({x, y, z}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallTernary32(TTernary32Func function, TExprNode* x,
                                                       TExprNode* y, TExprNode* z) {
    return MakeWithOperands<TExprCallTernary32VmNode>({x, y, z}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallTernary64(TTernary64Func function, TExprNode* x,
                                                       TExprNode* y, TExprNode* z) {
    return MakeWithOperands<TExprCallTernary64VmNode>({x, y, z}, function);
}

TExprNode* TExprVirtMachNodeFactory::MakeCallTernary80(TTernary80Func function, TExprNode* x,
                                                       TExprNode* y, TExprNode* z) {
    return MakeWithOperands<TExprCallTernary80VmNode>({x, y, z}, function);
}

template <typename TOp>
TExprNode* TExprVirtMachNodeFactory::MakeArithmetic(TExprNode* left, TExprNode* right) {
    CheckOperands({left, right});
    return AppendNode<TExprBinaryVmNode>(MakeBinaryOp<TOp>,
                                         std::initializer_list<TExprNode*>{left, right});
}

TExprNode* TExprVirtMachNodeFactory::MakeAdd(TExprNode* left, TExprNode* right) {
    return MakeArithmetic<TExprAddVmOp>(left, right);
}

TExprNode* TExprVirtMachNodeFactory::MakeSubtract(TExprNode* left, TExprNode* right) {
    return MakeArithmetic<TExprSubtractVmOp>(left, right);
}

TExprNode* TExprVirtMachNodeFactory::MakeMultiply(TExprNode* left, TExprNode* right) {
    return MakeArithmetic<TExprMultiplyVmOp>(left, right);
}

TExprNode* TExprVirtMachNodeFactory::MakeDivide(TExprNode* left, TExprNode* right) {
    return MakeArithmetic<TExprDivideVmOp>(left, right);
}

TExprNode* TExprVirtMachNodeFactory::MakeNegate(TExprNode* operand) {
    CheckOperands({operand});
    return AppendNode<TExprUnaryVmNode>(MakeUnaryOp<TExprNegateVmOp>,
                                        std::initializer_list<TExprNode*>{operand});
}

TExprNode* TExprVirtMachNodeFactory::MakeCompare(TExprNode* left, TExprNode* right) {
    return MakeWithOperands<TExprCompareVmNode>({left, right});
}

// Pass 1 clears the machine and every emitted op; pass 2 emits the constants into
// the constant list; pass 3 emits everything else into the code list. Creation
// order puts every node after its operands, so their result slots exist.
void TExprVirtMachNodeFactory::Generate(TExprVirtMach& machine) {
    machine.ClearProgram();
    std::size_t constants = 0;
    for (TExprVirtMachNode* node : FNodes) {
        node->ClearEmittedOp();
        constants += dynamic_cast<TExprConstVmNode*>(node) != nullptr;
    }
    machine.Reserve(FNodes.size() - constants, constants);
    for (TExprVirtMachNode* node : FNodes)
        if (dynamic_cast<TExprConstVmNode*>(node) && !node->EmittedOp()) node->EmitOp(machine);
    for (TExprVirtMachNode* node : FNodes)
        if (!node->EmittedOp()) node->EmitOp(machine);
}
