// Symbols: everything a formula can name (constant, variable, function of one or
// two arguments). A symbol compiles itself into nodes when the parser meets its
// name; function symbols read their own argument lists.
#pragma once

#include <string>

#include "engine/symbol_interfaces.h"
#include "engine/vm_ops.h"

class TExprConstSym final : public TExprSym {
public:
    TExprConstSym(std::string name, double value) : TExprSym(std::move(name)), FValue(value) {}
    double Value() const noexcept { return FValue; }
    TExprNode* Compile() override;

private:
    double FValue;
};

class TExprVar64Sym final : public TExprSym {
public:
    // A null address fails an assertion.
    TExprVar64Sym(std::string name, const double* address);
    TExprNode* Compile() override;

private:
    const double* FAddress; // not owned
};

class TExprAbstractFuncSym : public TExprSym {
public:
    using TExprSym::TExprSym;

protected:
    // '(' expression: the first argument.
    TExprNode* CompileFirstArgument();
    // ';' expression: each further argument.
    TExprNode* CompileNextArgument();
    // ')': consumes the closing parenthesis.
    void EndArguments();
};

class TExprUnaryFuncSym final : public TExprAbstractFuncSym {
public:
    // A null function fails an assertion.
    TExprUnaryFuncSym(std::string name, TUnaryFunc function);
    TExprNode* Compile() override;

private:
    TUnaryFunc FFunction; // not owned
};

class TExprBinaryFuncSym final : public TExprAbstractFuncSym {
public:
    // A null function fails an assertion.
    TExprBinaryFuncSym(std::string name, TBinaryFunc function);
    TExprNode* Compile() override;

private:
    TBinaryFunc FFunction; // not owned
};
