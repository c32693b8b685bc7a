// Emission of each node kind's operation into the machine.
#include "engine/nodes.h"

#include "platform/exceptions.h"

void TExprNode::AddOperand(TExprNode* node) {
    const std::size_t count = Count();
    Assert(node != nullptr && count < MaxOperands);
    FOperands[count] = node;
}

// Nodes of one factory are all virtual machine nodes, so the cast is safe once the
// operand's factory is known to be this node's.
const double* TExprVirtMachNode::OperandSlot(std::size_t i) const {
    Assert(i < Operands().size() && Operands()[i] != nullptr &&
           Operands()[i]->Factory() == Factory() && Factory() != nullptr);
    auto* operand = static_cast<const TExprVirtMachNode*>(Operands()[i]);
    Assert(operand->EmittedOp() != nullptr);
    return operand->EmittedOp()->ResultSlot();
}

void TExprConstVmNode::EmitOp(TExprVirtMach& machine) {
    FEmittedOp = machine.MakeConstOp(FValue);
}

TExprUnaryVmNode::TExprUnaryVmNode(TExprUnaryOpClass opClass,
                                   std::initializer_list<TExprNode*> operands)
    : FOpClass(opClass) {
    Assert(operands.size() == 1);
    AddOperand(*operands.begin());
}

void TExprUnaryVmNode::EmitOp(TExprVirtMach& machine) {
    FEmittedOp = FOpClass(machine, OperandSlot(0));
}

TExprBinaryVmNode::TExprBinaryVmNode(TExprBinaryOpClass opClass,
                                     std::initializer_list<TExprNode*> operands)
    : FOpClass(opClass) {
    Assert(operands.size() == 2);
    for (TExprNode* operand : operands)
        AddOperand(operand);
}

void TExprBinaryVmNode::EmitOp(TExprVirtMach& machine) {
    FEmittedOp = FOpClass(machine, OperandSlot(0), OperandSlot(1));
}

void TExprCompareVmNode::EmitOp(TExprVirtMach& machine) {
    Emit<TExprCompareVmOp>(machine, OperandSlot(0), OperandSlot(1));
}
