// Test helpers: compile a formula straight through lexer, parser and factory, and
// list a machine's program as operation names ("const 2", "var", "add", ...).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "engine/parser.h"
#include "engine/virtual_machine.h"
#include "platform/number_text.h"

inline std::string DescribeOp(const TExprVirtMachOp& op) {
    if (dynamic_cast<const TExprConstVmOp*>(&op)) return "const " + FormatShortest(op.Result());
    if (dynamic_cast<const TExprVarVmOp*>(&op)) return "var";
    if (dynamic_cast<const TExprNegateVmOp*>(&op)) return "neg";
    if (dynamic_cast<const TExprAddVmOp*>(&op)) return "add";
    if (dynamic_cast<const TExprSubtractVmOp*>(&op)) return "sub";
    if (dynamic_cast<const TExprMultiplyVmOp*>(&op)) return "mul";
    if (dynamic_cast<const TExprDivideVmOp*>(&op)) return "div";
    if (dynamic_cast<const TExprCompareVmOp*>(&op)) return "cmp";
    return "call";
}

// The constant list, then "|", then the code list.
inline std::string ListProgram(const TExprVirtMach& machine) {
    std::string out;
    for (const auto& op : machine.ConstList()) {
        out += DescribeOp(*op);
        out += ", ";
    }
    out += "|";
    for (const auto& op : machine.CodeList()) {
        out += ' ';
        out += DescribeOp(*op);
        out += ',';
    }
    if (out.back() == ',') out.pop_back();
    return out;
}

// Compiles text into the machine the way the compiling evaluator does.
inline void CompileInto(TExprVirtMach& machine, std::string_view text,
                        TExprContext* context = nullptr) {
    TExprSimpleLexer lexer(text);
    TExprVirtMachNodeFactory factory;
    TExprCompileParser parser(lexer, factory);
    parser.SetContext(context);
    parser.Compile();
    factory.Generate(machine);
}

inline double CompileAndRun(std::string_view text, TExprContext* context = nullptr) {
    TExprVirtMach machine;
    CompileInto(machine, text, context);
    return machine.Run();
}
