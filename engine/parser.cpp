// Recursive descent over the formula's tokens. Every operand is compiled before
// the node that combines it, so the last node created is the formula's result.
#include "engine/parser.h"

#include "engine/errors.h"

namespace {

bool IsComparison(TExprTokenKind kind) {
    switch (kind) {
    case tokEqual:
    case tokNotEqual:
    case tokLess:
    case tokGreater:
    case tokLessEqual:
    case tokGreaterEqual:
        return true;
    default:
        return false;
    }
}

// Counts one level of nesting for as long as it lives.
class TDepthGuard {
public:
    explicit TDepthGuard(int& depth) : FDepth(depth) {
        if (++FDepth > TExprCompileParser::MaxNestingDepth + 1) {
            --FDepth;
            throw EExprEvalError(std::string(ParseMessages::NestedTooDeeply));
        }
    }
    ~TDepthGuard() { --FDepth; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;

private:
    int& FDepth;
};

// Puts a symbol's previous references back when the compile ends, also on error.
class TBindingScope {
public:
    TBindingScope(TExprSym& sym, const TExprSymBinding& binding)
        : FSym(sym), FSaved(sym.Binding()) {
        FSym.SetBinding(binding);
    }
    ~TBindingScope() { FSym.SetBinding(FSaved); }
    TBindingScope(const TBindingScope&) = delete;
    TBindingScope& operator=(const TBindingScope&) = delete;

private:
    TExprSym& FSym;
    TExprSymBinding FSaved;
};

} // namespace

// formula -> comparison (anything after it is ignored)
TExprNode* TExprCompileParser::Compile() {
    return CompileComparison(false);
}

// comparison -> sum { ('=' | '<>' | '<' | '>' | '<=' | '>=') sum }
// The top level and every '(' or argument re-enter here, so nesting is counted here.
TExprNode* TExprCompileParser::CompileComparison(bool skipFirst) {
    TDepthGuard depth(FDepth);
    TExprNode* left = CompileSum(skipFirst);
    while (IsComparison(FLexer->CurrentToken())) {
        const TExprTokenKind op = FLexer->CurrentToken();
        TExprNode* right = CompileSum(true);
        left = BuildComparison(op, FFactory->MakeCompare(left, right));
    }
    return left;
}

// Turns the three-way comparison c (-1, 0, +1) into 1 or 0, creating the nodes in a
// fixed order. c is shared by the nodes that read it. "<=" and ">=" negate ">" and
// "<": those nodes first, then the constant 1 and the subtraction.
TExprNode* TExprCompileParser::BuildComparison(TExprTokenKind op, TExprNode* c) {
    TExprNodeFactory& f = *FFactory;
    switch (op) {
    case tokEqual: { // 1 - c*c
        TExprNode* m = f.MakeMultiply(c, c);
        return f.MakeSubtract(f.MakeConst32(1), m);
    }
    case tokNotEqual: // c*c
        return f.MakeMultiply(c, c);
    case tokLess: { // (c*c - c) / 2
        TExprNode* s = f.MakeSubtract(f.MakeMultiply(c, c), c);
        return f.MakeDivide(s, f.MakeConst32(2));
    }
    case tokGreater: { // (c + c*c) / 2
        TExprNode* a = f.MakeAdd(c, f.MakeMultiply(c, c));
        return f.MakeDivide(a, f.MakeConst32(2));
    }
    default: { // "<=" is 1 - (c > 0), ">=" is 1 - (c < 0)
        TExprNode* opposite = BuildComparison(op == tokLessEqual ? tokGreater : tokLess, c);
        return f.MakeSubtract(f.MakeConst32(1), opposite);
    }
    }
}

// sum -> product { ('+' | '-') product }
TExprNode* TExprCompileParser::CompileSum(bool skipFirst) {
    TExprNode* left = CompileProduct(skipFirst);
    for (;;) {
        switch (FLexer->CurrentToken()) {
        case tokPlus:
            left = FFactory->MakeAdd(left, CompileProduct(true));
            break;
        case tokMinus:
            left = FFactory->MakeSubtract(left, CompileProduct(true));
            break;
        default:
            return left;
        }
    }
}

// product -> signed { ('*' | '/') signed }
TExprNode* TExprCompileParser::CompileProduct(bool skipFirst) {
    TExprNode* left = CompileSigned(skipFirst);
    for (;;) {
        switch (FLexer->CurrentToken()) {
        case tokStar:
            left = FFactory->MakeMultiply(left, CompileSigned(true));
            break;
        case tokSlash:
            left = FFactory->MakeDivide(left, CompileSigned(true));
            break;
        default:
            return left;
        }
    }
}

// signed -> { '+' | '-' } primary   (an odd number of '-' negates once)
TExprNode* TExprCompileParser::CompileSigned(bool skipFirst) {
    if (skipFirst) FLexer->NextToken();
    bool negate = false;
    while (FLexer->CurrentToken() == tokPlus || FLexer->CurrentToken() == tokMinus) {
        negate ^= FLexer->CurrentToken() == tokMinus;
        FLexer->NextToken();
    }
    TExprNode* node = CompilePrimary();
    return negate ? FFactory->MakeNegate(node) : node;
}

// primary -> number | name | '(' comparison ')'
TExprNode* TExprCompileParser::CompilePrimary() {
    switch (FLexer->CurrentToken()) {
    case tokNumber: {
        TExprNode* node = FFactory->MakeConst64(FLexer->TokenNumber());
        FLexer->NextToken();
        return node;
    }
    case tokIdent:
        return CompileNamed();
    case tokLParen: {
        TExprNode* node = CompileComparison(true);
        if (FLexer->CurrentToken() != tokRParen)
            throw FLexer->ErrorAtToken(std::string(ParseMessages::RParenExpected));
        FLexer->NextToken();
        return node;
    }
    default:
        throw FLexer->ErrorAtToken(std::string(ParseMessages::FactorExpected));
    }
}

// name -> constant | variable | function '(' arguments ')'   (the symbol compiles itself)
TExprNode* TExprCompileParser::CompileNamed() {
    TExprSym* sym = FContext ? FContext->Find(FLexer->TokenText()) : nullptr;
    if (!sym)
        throw FLexer->ErrorAtToken(
            FormatMessage(ParseMessages::UnknownSymbol, FLexer->TokenText()));
    FLexer->NextToken();
    TBindingScope binding(*sym, {FLexer, this, FFactory});
    return sym->Compile();
}
