// The virtual machine and its node factory: program shape (no folding, shared
// nodes emitted once, constants apart from code), run results and faults.
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>

#include "engine/node_factory.h"
#include "engine/tests/program_listing.h"

namespace {

TEST(VirtualMachine, RunWithoutProgramIsAListError) {
    TExprVirtMach machine;
    try {
        machine.Run();
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)");
    }
    CompileInto(machine, "1+2");
    machine.ClearProgram();
    EXPECT_THROW(machine.Run(), EListError);
}

TEST(VirtualMachine, ExampleProgramFromTheFactory) {
    double x = 2;
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    // 5.22 - 5.44E-4*(x - 817), nodes in the parser's creation order
    TExprNode* a = f.MakeConst64(5.22);
    TExprNode* b = f.MakeConst64(5.44E-4);
    TExprNode* v = f.MakeVar64(&x);
    TExprNode* c = f.MakeConst64(817);
    TExprNode* s = f.MakeSubtract(v, c);
    TExprNode* m = f.MakeMultiply(b, s);
    f.MakeSubtract(a, m);
    f.Generate(machine);
    EXPECT_EQ(ListProgram(machine), "const 5.22, const 0.000544, const 817, | var, sub, mul, sub");
    EXPECT_DOUBLE_EQ(machine.Run(), 5.66336);
    x = 817;
    EXPECT_DOUBLE_EQ(machine.Run(), 5.22) << "variables are read at every run";

    f.Generate(machine);
    EXPECT_EQ(machine.CodeList().size(), 4u) << "generating again rebuilds the same program";
    EXPECT_EQ(machine.ConstList().size(), 3u);
}

TEST(VirtualMachine, SharedNodeIsEmittedOnce) {
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    TExprNode* one = f.MakeConst64(1);
    TExprNode* c = f.MakeCompare(one, f.MakeConst64(2));
    f.MakeMultiply(c, c);
    f.Generate(machine);
    EXPECT_EQ(ListProgram(machine), "const 1, const 2, | cmp, mul");
    EXPECT_EQ(machine.Run(), 1.0);
}

TEST(VirtualMachine, UnusedNodesAreStillPerformed) {
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeDivide(f.MakeConst64(1), f.MakeConst64(0)); // nobody uses it
    f.MakeConst64(7);
    f.Generate(machine);
    EXPECT_THROW(machine.Run(), EZeroDivide);
}

TEST(VirtualMachine, ComparisonIsThreeWay) {
    const std::tuple<double, double, double> cases[] = {
        {1, 2, -1}, {2, 2, 0}, {3, 2, 1}, {-0.0, 0.0, 0}, {-DBL_MAX, DBL_MAX, -1}};
    for (auto [x, y, expected] : cases) {
        TExprVirtMach machine;
        TExprVirtMachNodeFactory f;
        f.MakeCompare(f.MakeVar64(&x), f.MakeVar64(&y));
        f.Generate(machine);
        EXPECT_EQ(machine.Run(), expected) << x << " vs " << y;
    }
}

TEST(VirtualMachine, ComparingNaNIsInvalid) {
    double nan = std::numeric_limits<double>::quiet_NaN(), one = 1;
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeCompare(f.MakeVar64(&nan), f.MakeVar64(&one));
    f.Generate(machine);
    EXPECT_THROW(machine.Run(), EInvalidOp);
}

float Echo32(float x) {
    return x;
}
double Sum3(double a, double b, double c) {
    return a * 100 + b * 10 + c;
}
Extended Minus80(Extended a, Extended b) {
    return a - b;
}
double Seven() {
    return 7;
}
double Huge() {
    return DBL_MAX;
}
Extended Beyond() {
    return 1e400L;
}
double NotANumber(double) {
    return std::numeric_limits<double>::quiet_NaN();
}

TEST(VirtualMachine, CallWidthsConvertArgumentsAndResults) {
    double tenth = 0.1, one = 1, two = 2, three = 3;
    TExprVirtMach machine;
    {
        TExprVirtMachNodeFactory f;
        f.MakeCallUnary32(Echo32, f.MakeVar64(&tenth));
        f.Generate(machine);
        EXPECT_EQ(machine.Run(), static_cast<double>(0.1f)) << "32-bit arguments are rounded";
    }
    {
        TExprVirtMachNodeFactory f;
        f.MakeCallTernary(Sum3, f.MakeVar64(&one), f.MakeVar64(&two), f.MakeVar64(&three));
        f.Generate(machine);
        EXPECT_EQ(machine.Run(), 123) << "arguments in formula order";
    }
    {
        TExprVirtMachNodeFactory f;
        f.MakeCallBinary80(Minus80, f.MakeConst64(1), f.MakeConst64(1e-30));
        f.Generate(machine);
        EXPECT_EQ(machine.Run(), 1.0) << "80-bit result rounded once";
    }
    {
        TExprVirtMachNodeFactory f;
        f.MakeCallFloat(Seven);
        f.Generate(machine);
        EXPECT_EQ(ListProgram(machine), "| call");
        EXPECT_EQ(machine.Run(), 7);
    }
}

TEST(VirtualMachine, CallFaults) {
    const std::pair<const char*, std::function<void(TExprVirtMachNodeFactory&)>> cases[] = {
        {"80-bit result beyond double", [](auto& f) { f.MakeCallFloat80(Beyond); }},
        {"32-bit argument beyond float",
         [](auto& f) { f.MakeCallUnary32(Echo32, f.MakeCallFloat(Huge)); }},
    };
    for (const auto& [rule, build] : cases) {
        TExprVirtMach machine;
        TExprVirtMachNodeFactory f;
        build(f);
        f.Generate(machine);
        EXPECT_THROW(machine.Run(), EOverflow) << rule;
    }
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeCallUnary(NotANumber, f.MakeConst64(1));
    f.Generate(machine);
    EXPECT_THROW(machine.Run(), EInvalidOp) << "a NaN from a callable never escapes";
}

TEST(VirtualMachine, ConstantWidths) {
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeConst32(0.1f);
    f.Generate(machine);
    EXPECT_EQ(machine.Run(), static_cast<double>(0.1f));
    EXPECT_THROW(f.MakeConst80(1e400L), EOverflow);
    EXPECT_EQ(static_cast<TExprConstVmNode*>(f.MakeConst80(0.1L))->Value(), 0.1);
}

TEST(VirtualMachine, VariableWidths) {
    float f32 = 0.1f;
    Extended e80 = 1e400L;
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeAdd(f.MakeVar32(&f32), f.MakeConst64(0));
    f.Generate(machine);
    EXPECT_EQ(machine.Run(), static_cast<double>(0.1f));
    TExprVirtMachNodeFactory g;
    g.MakeVar80(&e80);
    g.Generate(machine);
    EXPECT_THROW(machine.Run(), EOverflow);
    e80 = 0.1L;
    EXPECT_EQ(machine.Run(), 0.1);
}

// A variable is read as a finite value or not at all, whatever its width.
TEST(VirtualMachine, VariablesThatAreNotFiniteRaiseTheirFault) {
    const double inf = std::numeric_limits<double>::infinity();
    double x = 0;
    float y = 0;
    TExprVirtMach machine;
    TExprVirtMachNodeFactory f;
    f.MakeAdd(f.MakeVar64(&x), f.MakeVar32(&y));
    f.Generate(machine);
    x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(machine.Run(), EInvalidOp);
    x = -inf;
    EXPECT_THROW(machine.Run(), EOverflow);
    x = 0;
    y = std::numeric_limits<float>::infinity();
    EXPECT_THROW(machine.Run(), EOverflow);
}

// A node of another factory, or an operand index beyond a node's operands, fails the
// engine's own assertion at once, before anything is emitted or cast.
TEST(VirtualMachine, ForeignNodesAndMissingOperandsFailTheAssertion) {
    TExprVirtMachNodeFactory f, g;
    TExprNode* foreign = g.MakeConst64(1);
    TExprNode* own = f.MakeConst64(2);
    EXPECT_THROW(f.MakeAdd(own, foreign), EAssertionFailed);
    EXPECT_THROW(f.MakeNegate(nullptr), EAssertionFailed);
    EXPECT_THROW(f.MakeCallUnary([](double v) { return v; }, foreign), EAssertionFailed);
    TExprConstVmNode stray(3);
    EXPECT_THROW(f.MakeCompare(&stray, own), EAssertionFailed);

    // A node whose operation reads an operand it does not have.
    TExprVirtMach machine;
    TExprVirtMachNodeFactory h;
    h.AppendNode<TExprCallUnaryVmNode>([](double v) { return v; });
    EXPECT_THROW(h.Generate(machine), EAssertionFailed) << "a call without its argument";
}

TEST(VirtualMachine, NodesCheckTheirOperandCount) {
    TExprConstVmNode a(1), b(2);
    EXPECT_THROW(TExprUnaryVmNode(MakeUnaryOp<TExprNegateVmOp>, {&a, &b}), EAssertionFailed);
    EXPECT_THROW(TExprBinaryVmNode(MakeBinaryOp<TExprAddVmOp>, {&a}), EAssertionFailed);
}

} // namespace
