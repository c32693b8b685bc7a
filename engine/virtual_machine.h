// The expression virtual machine: a program is a flat list of operations performed
// in order, plus the constants they read. Its value is the last operation's result.
#pragma once

#include <memory>
#include <vector>

#include "engine/vm_ops.h"

class TExprVirtMach {
public:
    // Appends an operation to the code list; the machine owns it from now on.
    void AppendOp(std::unique_ptr<TExprVirtMachOp> op);
    // Appends a constant operation to the constant list; the machine owns it.
    void AppendConstOp(std::unique_ptr<TExprConstVmOp> op);
    // Frees every operation of both lists.
    void ClearProgram() noexcept;
    // Performs the code list and returns the program's value; EListError for index
    // 0 when the machine holds no program. Allocates nothing.
    double Run();

    const std::vector<std::unique_ptr<TExprVirtMachOp>>& CodeList() const noexcept { return FCode; }
    const std::vector<std::unique_ptr<TExprConstVmOp>>& ConstList() const noexcept {
        return FConstants;
    }

private:
    [[noreturn]] static void RaiseNoProgram();

    std::vector<std::unique_ptr<TExprVirtMachOp>> FCode;
    std::vector<std::unique_ptr<TExprConstVmOp>> FConstants;
    const double* FResultSlot = nullptr; // the value slot of the program; not owned
};
