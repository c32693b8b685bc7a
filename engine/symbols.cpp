// Symbols compiling themselves: constants and variables become one node; function
// symbols read '(' arguments ')' through the parser that is compiling them.
#include "engine/symbols.h"

#include "engine/errors.h"
#include "engine/parser.h"

TExprLexer& TExprSym::Lexer() const {
    Assert(FBinding.Lexer != nullptr);
    return *FBinding.Lexer;
}

TExprCompileParser& TExprSym::Parser() const {
    Assert(FBinding.Parser != nullptr);
    return *FBinding.Parser;
}

TExprNodeFactory& TExprSym::Factory() const {
    Assert(FBinding.Factory != nullptr);
    return *FBinding.Factory;
}

// constant -> name   (a following '(' is left to the parser)
TExprNode* TExprConstSym::Compile() {
    return Factory().MakeConst(FValue);
}

TExprVar64Sym::TExprVar64Sym(std::string name, const double* address)
    : TExprSym(std::move(name)), FAddress(address) {
    Assert(address != nullptr);
}

// variable -> name
TExprNode* TExprVar64Sym::Compile() {
    return Factory().MakeVar64(FAddress);
}

// '(' comparison
TExprNode* TExprAbstractFuncSym::CompileFirstArgument() {
    if (Lexer().CurrentToken() != tokLParen)
        throw Lexer().ErrorAtToken(std::string(ParseMessages::FirstArgumentExpected));
    return Parser().CompileComparison(true);
}

// ';' comparison
TExprNode* TExprAbstractFuncSym::CompileNextArgument() {
    if (Lexer().CurrentToken() != tokSemicolon)
        throw Lexer().ErrorAtToken(std::string(ParseMessages::NextArgumentExpected));
    return Parser().CompileComparison(true);
}

// ')'
void TExprAbstractFuncSym::EndArguments() {
    if (Lexer().CurrentToken() != tokRParen)
        throw Lexer().ErrorAtToken(std::string(ParseMessages::CloseArgumentsExpected));
    Lexer().NextToken();
}

TExprUnaryFuncSym::TExprUnaryFuncSym(std::string name, TUnaryFunc function)
    : TExprAbstractFuncSym(std::move(name)), FFunction(function) {
    Assert(function != nullptr);
}

// unary call -> name '(' comparison ')'
TExprNode* TExprUnaryFuncSym::Compile() {
    TExprNode* x = CompileFirstArgument();
    TExprNode* node = Factory().MakeCallUnary(FFunction, x);
    EndArguments();
    return node;
}

TExprBinaryFuncSym::TExprBinaryFuncSym(std::string name, TBinaryFunc function)
    : TExprAbstractFuncSym(std::move(name)), FFunction(function) {
    Assert(function != nullptr);
}

// binary call -> name '(' comparison ';' comparison ')'
TExprNode* TExprBinaryFuncSym::Compile() {
    TExprNode* x = CompileFirstArgument();
    TExprNode* y = CompileNextArgument();
    EndArguments();
    return Factory().MakeCallBinary(FFunction, x, y);
}
