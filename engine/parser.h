// The compiling parser: recursive descent over the tokens of one formula that asks
// a node factory for one node per operation instead of computing values. Names are
// resolved through a context; each symbol compiles itself.
#pragma once

#include "engine/lexer.h"
#include "engine/node_factory.h"
#include "engine/symbol_interfaces.h"

class TExprCompileParser {
public:
    // Deepest nesting of parentheses and argument lists that compiles.
    static constexpr int MaxNestingDepth = 1000;

    TExprCompileParser(TExprLexer& lexer, TExprNodeFactory& factory)
        : FLexer(&lexer), FFactory(&factory) {}
    virtual ~TExprCompileParser() = default;

    // The context names are resolved in; unset means every name is unknown.
    void SetContext(TExprContext* context) noexcept { FContext = context; }

    // Compiles the whole formula; text after a complete expression is ignored.
    virtual TExprNode* Compile();
    // comparison -> sum { ('=' | '<>' | '<' | '>' | '<=' | '>=') sum }
    // With skipFirst, the current token (an operator, '(' or ';') is consumed first.
    virtual TExprNode* CompileComparison(bool skipFirst);

protected:
    TExprNode* CompileSum(bool skipFirst);
    TExprNode* CompileProduct(bool skipFirst);
    TExprNode* CompileSigned(bool skipFirst);
    TExprNode* CompilePrimary();
    TExprNode* CompileNamed();

private:
    TExprNode* BuildComparison(TExprTokenKind op, TExprNode* compare);

    TExprContext* FContext = nullptr; // not owned
    TExprLexer* FLexer;               // not owned
    TExprNodeFactory* FFactory;       // not owned
    int FDepth = 0;
};
