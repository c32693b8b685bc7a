// The expression virtual machine: a program is a flat list of operations performed
// in order, plus the constants they read. Its value is the last operation's result.
#pragma once

#include <utility>
#include <vector>

#include "engine/arena.h"
#include "engine/vm_ops.h"

class TExprVirtMach {
public:
    TExprVirtMach() = default;
    ~TExprVirtMach();
    TExprVirtMach(const TExprVirtMach&) = delete;
    TExprVirtMach& operator=(const TExprVirtMach&) = delete;

    // Makes an operation at the end of the code list; the machine owns it.
    template <typename TOp, typename... Args> TOp* MakeOp(Args&&... args) {
        RoomForOne(FCode); // so that the push cannot fail after the make
        TOp* op = FOperations.Make<TOp>(std::forward<Args>(args)...);
        FCode.push_back(op);
        FResultSlot = op->ResultSlot();
        return op;
    }
    // Makes a constant operation at the end of the constant list; the machine owns it.
    TExprConstVmOp* MakeConstOp(double value);
    // Room for a program of this many operations, so the lists grow only once.
    void Reserve(std::size_t code, std::size_t constants);
    // Frees every operation of both lists.
    void ClearProgram() noexcept;
    // Performs the code list and returns the program's value; EListError for index
    // 0 when the machine holds no program. Allocates nothing.
    double Run();

    const std::vector<TExprVirtMachOp*>& CodeList() const noexcept { return FCode; }
    const std::vector<TExprConstVmOp*>& ConstList() const noexcept { return FConstants; }

private:
    [[noreturn]] static void RaiseNoProgram();
    // Grows a list geometrically when it is full.
    template <typename T> static void RoomForOne(std::vector<T>& list) {
        if (list.size() == list.capacity()) list.reserve(list.empty() ? 16 : 2 * list.size());
    }

    TArena FOperations;                      // where every operation of both lists lives
    std::vector<TExprVirtMachOp*> FCode;     // owned, in FOperations
    std::vector<TExprConstVmOp*> FConstants; // owned, in FOperations
    const double* FResultSlot = nullptr;     // the value slot of the program; not owned
};
