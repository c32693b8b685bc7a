// The compiling parser: precedence and associativity, signs, comparisons and the
// exact nodes they create, ignored trailing text, parse errors, the nesting bound,
// and run-time faults of the compiled program.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "engine/contexts.h"
#include "engine/errors.h"
#include "engine/symbols.h"
#include "engine/tests/program_listing.h"

namespace {

struct ValueCase {
    const char* rule;
    const char* text;
    double value;
};

TEST(Parser, Values) {
    const ValueCase cases[] = {
        {"* before +", "2+3*4", 14},
        {"parentheses first", "(2+3)*4", 20},
        {"/ and * associate to the left", "8/2*4", 16},
        {"* then /", "2*3/4", 1.5},
        {"long product chain", "4*5*6/1*2*3", 720},
        {"- and + associate to the left", "4 - 2 + 1", 3},
        {"two minus signs cancel", "--3", 3},
        {"negated parenthesis", "-(-3)", 3},
        {"mixed signs", "+-+3", -3},
        {"sign after an operator", "2--3", 5},
        {"sign after *", "2*-3", -6},
        {"sign binds tighter than *", "-2*3", -6},
        {"sign after +", "2+-3", -1},
        {"less", "1<2", 1},
        {"not less", "2<1", 0},
        {"less or equal", "2<=2", 1},
        {"greater or equal", "3>=4", 0},
        {"equal", "5=5", 1},
        {"not equal", "5<>5", 0},
        {"greater", "3>2", 1},
        {"comparisons chain to the left", "1<2<3", 1},
        {"3>2>1 is (3>2)>1", "3>2>1", 0},
        {"sum binds tighter than comparison", "2=1+1", 1},
        {"comparison inside arithmetic", "(1<2)*10", 10},
        {"sign after a comparison", "1<-1", 0},
        {"text after the expression is ignored", "2 3", 2},
        {"a stray parenthesis ends the expression", "2)", 2},
        {"single number", "5", 5},
        {"negative number", "-5", -5},
        {"nested parentheses", "((((((((((1+1))))))))))", 2},
        {"exponents", "1.5E3+2e-3", 1500.002},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(CompileAndRun(c.text), c.value) << c.rule << ": " << c.text;
}

struct ShapeCase {
    const char* rule;
    const char* text;
    const char* program;
};

TEST(Parser, ProgramShape) {
    const ShapeCase cases[] = {
        {"a single number is only a constant", "5", "const 5, |"},
        {"negation is an operation", "-5", "const 5, | neg"},
        {"nothing is folded", "2*3", "const 2, const 3, | mul"},
        {"even minus signs create nothing", "--3", "const 3, |"},
        {"plus signs create nothing", "+3", "const 3, |"},
        {"equal: 1 - c*c", "1=2", "const 1, const 2, const 1, | cmp, mul, sub"},
        {"not equal: c*c", "1<>2", "const 1, const 2, | cmp, mul"},
        {"less: (c*c - c) / 2", "1<2", "const 1, const 2, const 2, | cmp, mul, sub, div"},
        {"greater: (c + c*c) / 2", "1>2", "const 1, const 2, const 2, | cmp, mul, add, div"},
        {"less or equal: 1 - (c + c*c) / 2", "1<=2",
         "const 1, const 2, const 2, const 1, | cmp, mul, add, div, sub"},
        {"greater or equal: 1 - (c*c - c) / 2", "1>=2",
         "const 1, const 2, const 2, const 1, | cmp, mul, sub, div, sub"},
        {"each comparison has its own constants", "1<2<3",
         "const 1, const 2, const 2, const 3, const 2, | cmp, mul, sub, div, cmp, mul, sub, div"},
    };
    for (const auto& c : cases) {
        TExprVirtMach machine;
        CompileInto(machine, c.text);
        EXPECT_EQ(ListProgram(machine), c.program) << c.rule;
    }
}

TEST(Parser, ComparisonReadsTheSharedNodeEachTime) {
    // c is read twice by the multiplication and once by the subtraction.
    TExprSimpleLexer lexer("3<4");
    TExprVirtMachNodeFactory factory;
    TExprCompileParser parser(lexer, factory);
    TExprNode* root = parser.Compile();
    EXPECT_EQ(root, factory.Nodes().back()) << "the root is the last node created";
    const auto& nodes = factory.Nodes();
    const auto operands = [&](std::size_t i) {
        return std::vector<TExprNode*>(nodes[i]->Operands().begin(), nodes[i]->Operands().end());
    };
    TExprNode* c = nodes[2];
    EXPECT_EQ(operands(3), (std::vector<TExprNode*>{c, c}));
    EXPECT_EQ(operands(4), (std::vector<TExprNode*>{nodes[3], c}));
}

struct ErrorCase {
    const char* text;
    std::string message;
};

TEST(Parser, ParseErrors) {
    const std::string factor = "Parse error: Factor expected";
    const ErrorCase cases[] = {
        {"(1+2", "Parse error: ')' expected"},
        {"(2", "Parse error: ')' expected"},
        {"", factor},
        {"   ", factor},
        {"2+", factor},
        {"*3", factor},
        {"()", factor},
        {"2+)", factor},
        {"-", factor},
        {"1<", factor},
        {"^3", factor},
        {",5", factor},
        {".5", factor},
        {"FooBar+1", "Parse error: Unknown symbol: 'FooBar'"},
        {"x", "Parse error: Unknown symbol: 'x'"},
    };
    for (const auto& c : cases) {
        try {
            CompileAndRun(c.text);
            ADD_FAILURE() << "compiled: " << c.text;
        } catch (const EExprEvalError& e) {
            EXPECT_EQ(e.what(), c.message) << c.text;
        }
    }
}

// A parse error names the token where the parser stopped (start and end byte), or
// the end of the text when it ended early.
TEST(Parser, ParseErrorsKnowTheirToken) {
    struct PlaceCase {
        const char* text;
        std::size_t start, end;
    };
    const PlaceCase cases[] = {
        {"1+*2", 2, 3}, {"(1+2 ", 5, 5}, {"  FooBar+1", 2, 8}, {"2+ <= 3", 3, 5}};
    for (const auto& c : cases) {
        try {
            CompileAndRun(c.text);
            ADD_FAILURE() << "compiled: " << c.text;
        } catch (const EParseError& e) {
            EXPECT_EQ(e.Start(), c.start) << c.text;
            EXPECT_EQ(e.End(), c.end) << c.text;
        }
    }
}

TEST(Parser, TrailingMalformedNumberIsStillScanned) {
    EXPECT_THROW(CompileAndRun("2 1E5000"), EConvertError);
    EXPECT_THROW(CompileAndRun("2 1E400"), EOverflow);
}

std::string Nested(int depth, const char* inner) {
    return std::string(depth, '(') + inner + std::string(depth, ')');
}

TEST(Parser, NestingIsBounded) {
    EXPECT_EQ(CompileAndRun(Nested(200, "1+1")), 2);
    EXPECT_EQ(CompileAndRun(Nested(TExprCompileParser::MaxNestingDepth, "-7")), -7);
    try {
        CompileAndRun(Nested(TExprCompileParser::MaxNestingDepth + 1, "1"));
        FAIL();
    } catch (const EExprEvalError& e) {
        EXPECT_STREQ(e.what(), "Parse error: Expression nested too deeply");
    }
    EXPECT_THROW(CompileAndRun(std::string(100000, '(')), EExprEvalError);
}

struct FaultCase {
    const char* text;
    std::string message;
};

TEST(Parser, RunTimeFaults) {
    const FaultCase cases[] = {
        {"1/0", "Floating point division by zero"},  {"-1/0", "Floating point division by zero"},
        {"0/0", "Invalid floating point operation"}, {"1E200*1E200", "Floating point overflow"},
        {"1E308+1E308", "Floating point overflow"},  {"-1E308-1E308", "Floating point overflow"},
        {"1E300/1E-300", "Floating point overflow"},
    };
    for (const auto& c : cases) {
        try {
            CompileAndRun(c.text);
            ADD_FAILURE() << "ran: " << c.text;
        } catch (const EFloatingPointError& e) {
            EXPECT_EQ(e.what(), c.message) << c.text;
        }
    }
    EXPECT_EQ(CompileAndRun("1E-200*1E-200"), 0) << "underflow is quiet";
}

TEST(Parser, ProgramSurvivesAFailingRun) {
    double x = 0;
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    TExprNode* one = f.MakeConst64(1);
    f.MakeDivide(one, f.MakeVar64(&x));
    f.Generate(machine);
    EXPECT_THROW(machine.Run(), EZeroDivide);
    x = 4;
    EXPECT_EQ(machine.Run(), 0.25);
}

TEST(Parser, EachOperationRoundsOnceToDouble) {
    // 1E308*10/10 overflows between the two operations, not inside one.
    EXPECT_THROW(CompileAndRun("1E308*10/10"), EOverflow);
    EXPECT_EQ(CompileAndRun("0.1+0.2"), 0.30000000000000004);
}

// The four operations give exactly what IEEE double arithmetic gives (one rounding,
// no detour through Extended), on operands spread over the whole range.
TEST(Parser, ArithmeticIsIeeeDoubleArithmetic) {
    double x = 0, y = 0;
    TExprHashContext context(false, 17);
    context.Add(std::make_unique<TExprVar64Sym>("x", &x));
    context.Add(std::make_unique<TExprVar64Sym>("y", &y));
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-500, 500);
    const auto draw = [&] { return std::ldexp(mantissa(random), exponent(random)); };
    struct Operation {
        const char* Formula;
        double (*Expected)(double, double);
    };
    const Operation operations[] = {
        {"x+y", [](double a, double b) { return a + b; }},
        {"x-y", [](double a, double b) { return a - b; }},
        {"x*y", [](double a, double b) { return a * b; }},
        {"x/y", [](double a, double b) { return a / b; }},
    };
    for (const Operation& op : operations) {
        TExprVirtMach machine;
        CompileInto(machine, op.Formula, &context);
        int differ = 0;
        for (int i = 0; i < 20000; ++i) {
            x = draw();
            y = draw();
            differ += machine.Run() != op.Expected(x, y);
        }
        EXPECT_EQ(differ, 0) << op.Formula;
    }
}

} // namespace
