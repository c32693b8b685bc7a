// The evaluators: variables bound by address and read at every run, the
// compiled-text rule (also after a failure), shadowing of shared symbols, the
// nesting bound through argument lists.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/errors.h"
#include "engine/evaluators.h"
#include "engine/parser.h"
#include "engine/symbols.h"

namespace {

int twiceCalls = 0;

double Twice(double x) {
    ++twiceCalls;
    return 2 * x;
}

double Minus(double x, double y) {
    return x - y;
}

// What the caller's shared table would hold.
std::unique_ptr<TExprHashContext> MakeShared() {
    auto shared = std::make_unique<TExprHashContext>(false, 100);
    shared->Add(std::make_unique<TExprConstSym>("pi", 3.5));
    shared->Add(std::make_unique<TExprUnaryFuncSym>("Twice", Twice));
    shared->Add(std::make_unique<TExprBinaryFuncSym>("Minus", Minus));
    return shared;
}

void ExpectListError(TCompiledEvaluator& evaluator, const char* rule) {
    try {
        evaluator.EvaluateExpression();
        ADD_FAILURE() << rule;
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)") << rule;
    }
}

std::string ParseErrorOf(TCompiledEvaluator& evaluator, std::string_view text) {
    try {
        evaluator.CompileExpression(text);
    } catch (const EExprEvalError& e) {
        return e.what();
    }
    return "no error";
}

TEST(Evaluator, VariablesAreReadAtEveryRun) {
    double x = 2;
    TCompiledEvaluator evaluator;
    evaluator.DefineVariable("x", &x);
    evaluator.CompileExpression("x+1");
    EXPECT_EQ(evaluator.EvaluateExpression(), 3);
    x = 5;
    EXPECT_EQ(evaluator.EvaluateExpression(), 6);
}

TEST(Evaluator, NoProgramIsAListError) {
    TCompiledEvaluator fresh;
    ExpectListError(fresh, "never compiled");
    fresh.CompileExpression("");
    ExpectListError(fresh, "the empty text on a new evaluator compiles nothing");
}

// A constant 1 that counts how often it is compiled.
class TCountingSym final : public TExprSym {
public:
    explicit TCountingSym(int& compiles) : TExprSym("one"), FCompiles(compiles) {}
    TExprNode* Compile() override {
        ++FCompiles;
        return Factory().MakeConst(1);
    }

private:
    int& FCompiles;
};

TEST(Evaluator, SameTextIsCompiledOnce) {
    int compiles = 0;
    TExprHashContext counting(false, 10);
    counting.Add(std::make_unique<TCountingSym>(compiles));
    TCompiledEvaluator evaluator;
    evaluator.SharedContexts().Add(&counting);
    evaluator.CompileExpression("one+1");
    evaluator.CompileExpression("one+1");
    EXPECT_EQ(compiles, 1);
    EXPECT_EQ(evaluator.EvaluateExpression(), 2) << "the program was kept";
    evaluator.CompileExpression("ONE+1");
    EXPECT_EQ(compiles, 2) << "the text comparison is case-sensitive";
}

TEST(Evaluator, FailedCompileDropsTheProgramAndIsNotRetried) {
    double y = 4;
    TCompiledEvaluator evaluator;
    evaluator.CompileExpression("1+2");
    EXPECT_EQ(evaluator.EvaluateExpression(), 3);

    EXPECT_EQ(ParseErrorOf(evaluator, "y*2"), "Parse error: Unknown symbol: 'y'");
    ExpectListError(evaluator, "a different text discards the old program even if it fails");
    EXPECT_EQ(ParseErrorOf(evaluator, "y*2"), "no error") << "the same text is not compiled";
    evaluator.DefineVariable("y", &y);
    EXPECT_EQ(ParseErrorOf(evaluator, "y*2"), "no error");
    ExpectListError(evaluator, "defining the variable does not recompile");

    evaluator.CompileExpression("0");
    evaluator.CompileExpression("y*2");
    EXPECT_EQ(evaluator.EvaluateExpression(), 8) << "another text first, then it compiles";
}

TEST(Evaluator, DuplicateVariableKeepsTheFirstBinding) {
    double a = 1, b = 2;
    TCompiledEvaluator evaluator;
    evaluator.DefineVariable("x", &a);
    try {
        evaluator.DefineVariable("X", &b);
        FAIL();
    } catch (const EStringHashMapError& e) {
        EXPECT_STREQ(e.what(), "Duplicate hash list entry: X");
    }
    EXPECT_THROW(evaluator.DefineVariable("y", nullptr), EAssertionFailed);
    evaluator.CompileExpression("X");
    EXPECT_EQ(evaluator.EvaluateExpression(), 1) << "x keeps its address; X finds it";
}

TEST(Evaluator, VariablesShadowSharedSymbolsAndSharedContextsOutliveIt) {
    auto shared = MakeShared();
    double pi = 10, twice = 1;
    {
        TCompiledEvaluator evaluator;
        evaluator.SharedContexts().Add(shared.get());
        evaluator.DefineVariable("PI", &pi);
        evaluator.CompileExpression("pi+1");
        EXPECT_EQ(evaluator.EvaluateExpression(), 11);
        evaluator.DefineVariable("twice", &twice);
        evaluator.CompileExpression("Twice(2)");
        EXPECT_EQ(evaluator.EvaluateExpression(), 1) << "a variable ignores the '(' after it";
    }
    TCompiledEvaluator next;
    next.SharedContexts().Add(shared.get());
    next.CompileExpression("Minus(pi;Twice(1))");
    EXPECT_EQ(next.EvaluateExpression(), 1.5) << "the shared table survived the first evaluator";
}

TEST(Evaluator, NestedCallsRestoreTheSymbolReferences) {
    auto shared = MakeShared();
    double x = 1.25;
    TCompiledEvaluator evaluator;
    evaluator.SharedContexts().Add(shared.get());
    evaluator.DefineVariable("x", &x);
    twiceCalls = 0;
    evaluator.CompileExpression("Twice(Twice(Twice(x)))");
    EXPECT_EQ(evaluator.EvaluateExpression(), 10);
    EXPECT_EQ(twiceCalls, 3);
    EXPECT_EQ(ParseErrorOf(evaluator, "Twice(Twice(x;1))"),
              "Parse error: ')' to close function's parameters expected");
    for (const char* name : {"Twice", "Minus", "pi"}) {
        const TExprSymBinding& b = shared->Find(name)->Binding();
        EXPECT_TRUE(!b.Lexer && !b.Parser && !b.Factory) << name;
    }
}

std::string NestedCalls(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "Twice(";
    text += "1";
    return text + std::string(static_cast<std::size_t>(depth), ')');
}

TEST(Evaluator, NestingIsBoundedThroughArgumentLists) {
    auto shared = MakeShared();
    TCompiledEvaluator evaluator;
    evaluator.SharedContexts().Add(shared.get());
    evaluator.CompileExpression("Minus(" + NestedCalls(TExprCompileParser::MaxNestingDepth - 1) +
                                ";0)");
    EXPECT_EQ(evaluator.EvaluateExpression(), std::ldexp(1.0, 999));
    EXPECT_EQ(ParseErrorOf(evaluator, NestedCalls(TExprCompileParser::MaxNestingDepth)),
              "no error");
    EXPECT_EQ(ParseErrorOf(evaluator, NestedCalls(TExprCompileParser::MaxNestingDepth + 1)),
              "Parse error: Expression nested too deeply");
    EXPECT_EQ(ParseErrorOf(evaluator, NestedCalls(100000)),
              "Parse error: Expression nested too deeply");
    const TExprSymBinding& b = shared->Find("Twice")->Binding();
    EXPECT_TRUE(!b.Lexer && !b.Parser && !b.Factory);
}

} // namespace
