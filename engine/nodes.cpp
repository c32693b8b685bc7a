// Emission of each node kind's operation into the machine.
#include "engine/nodes.h"

#include "platform/exceptions.h"

// Nodes of one factory are all virtual machine nodes, so the cast is safe once the
// operand's factory is known to be this node's.
const double* TExprVirtMachNode::OperandSlot(std::size_t i) const {
    Assert(i < Operands().size() && Operands()[i] != nullptr &&
           Operands()[i]->Factory() == Factory() && Factory() != nullptr);
    auto* operand = static_cast<const TExprVirtMachNode*>(Operands()[i]);
    Assert(operand->EmittedOp() != nullptr);
    return operand->EmittedOp()->ResultSlot();
}

void TExprVirtMachNode::Emit(TExprVirtMach& machine, std::unique_ptr<TExprVirtMachOp> op) {
    FEmittedOp = op.get();
    machine.AppendOp(std::move(op));
}

void TExprConstVmNode::EmitOp(TExprVirtMach& machine) {
    auto op = std::make_unique<TExprConstVmOp>(FValue);
    FEmittedOp = op.get();
    machine.AppendConstOp(std::move(op));
}

TExprUnaryVmNode::TExprUnaryVmNode(TExprUnaryOpClass opClass,
                                   const std::vector<TExprNode*>& operands)
    : FOpClass(opClass) {
    Assert(operands.size() == 1);
    AddOperand(operands[0]);
}

void TExprUnaryVmNode::EmitOp(TExprVirtMach& machine) {
    Emit(machine, FOpClass(OperandSlot(0)));
}

TExprBinaryVmNode::TExprBinaryVmNode(TExprBinaryOpClass opClass,
                                     const std::vector<TExprNode*>& operands)
    : FOpClass(opClass) {
    Assert(operands.size() == 2);
    AddOperand(operands[0]);
    AddOperand(operands[1]);
}

void TExprBinaryVmNode::EmitOp(TExprVirtMach& machine) {
    Emit(machine, FOpClass(OperandSlot(0), OperandSlot(1)));
}

void TExprCompareVmNode::EmitOp(TExprVirtMach& machine) {
    Emit(machine, std::make_unique<TExprCompareVmOp>(OperandSlot(0), OperandSlot(1)));
}
