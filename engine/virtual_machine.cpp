// The machine's program lists and the run loop.
#include "engine/virtual_machine.h"

#include "platform/exceptions.h"

void TExprVirtMach::AppendOp(std::unique_ptr<TExprVirtMachOp> op) {
    FCode.push_back(std::move(op));
}

void TExprVirtMach::AppendConstOp(std::unique_ptr<TExprConstVmOp> op) {
    FConstants.push_back(std::move(op));
}

void TExprVirtMach::ClearProgram() noexcept {
    FCode.clear();
    FConstants.clear();
}

double TExprVirtMach::Run() {
    for (const auto& op : FCode)
        op->Perform();
    if (!FCode.empty()) return FCode.back()->Result();
    if (FConstants.empty()) throw EListError(0);
    return FConstants.front()->Result();
}
