// The standard table: its contents against the published constant values, and the
// process-wide table as formulas see it through an evaluator (names in any case,
// shadowing by user variables, one table shared by every evaluator).
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "engine/errors.h"
#include "engine/evaluators.h"
#include "mathlib/math_errors.h"
#include "mathlib/standard_context.h"
#include "mathlib/standard_table.h"
#include "platform/regional_settings.h"

namespace {

struct TConstantValue {
    const char* Name;
    double Value; // the value formulas see
};

// The 64-bit values of the constants, in table order.
constexpr TConstantValue ConstantValues[] = {
    {"pi", 3.141592653589793},
    {"bernstein", 0.2801694990238691},
    {"cbrt2", 1.2599210498948732},
    {"cbrt3", 1.4422495703074083},
    {"cbrt10", 2.154434690031884},
    {"cbrt100", 4.641588833612779},
    {"cbrtPi", 1.4645918875615234},
    {"catalan", 0.915965594177219},
    {"pion2", 1.5707963267948966},
    {"pion3", 1.0471975511965979},
    {"pion4", 0.7853981633974483},
    {"sqrt2", 1.4142135623730951},
    {"sqrt3", 1.7320508075688772},
    {"sqrt5", 2.23606797749979},
    {"sqrt10", 3.1622776601683795},
    {"sqrtpi", 1.772453850905516},
    {"sqrt2pi", 2.5066282746310007},
    {"twopi", 6.283185307179586},
    {"threepi", 9.42477796076938},
    {"ln2", 0.6931471805599453},
    {"ln10", 2.302585092994046},
    {"lnpi", 1.1447298858494002},
    {"log2", 0.3010299956639812},
    {"log3", 0.47712125471966244},
    {"logpi", 0.49714987269413385},
    {"loge", 0.4342944819032518},
    {"Nconst", 2.718281828459045},
    {"hln2pi", 0.9189385332046728},
    {"inv2pi", 0.159154943091895}, // 15 digits only, as published
    {"twotopower63", 9223372036854775808.0},
    {"goldenmean", 1.618033988749895},
    {"eulermascheroni", 0.5772156649015329},
    {"deg", 57.29577951308232},
    {"amu", 1.6606e-27},
    {"avog", 6.0225e+23},
    {"boltz", 1.3805e-23},
    {"echarge", 1.602189e-19},
    {"emass", 9.11e-31},
    {"evolt", 1.602e-19}, // the electron volt in joules
    {"farad", 96480.56},
    {"gas", 8.31441},
    {"neutron", 1.6748e-27},
    {"planck", 6.626e-34},
    {"proton", 1.6725e-27},
    {"light", 299790000},
    {"gravity", 9.80665},
    {"pressure", 101325},
    {"stefan", 5.67032e-08},
    {"bohr", 5.2917706e-11},
};

std::string Lower(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// "cbrtPi" -> "CbRtPi": every other letter flipped, so no stored case matches.
std::string MixedCase(std::string_view name) {
    std::string mixed(name);
    for (std::size_t i = 0; i < mixed.size(); i += 2) {
        const unsigned char c = static_cast<unsigned char>(mixed[i]);
        mixed[i] = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
    }
    return mixed;
}

TEST(StandardTable, ConstantsInOrderWithTheirValues) {
    const auto constants = StandardConstants();
    ASSERT_EQ(constants.size(), std::size(ConstantValues));
    for (std::size_t i = 0; i < constants.size(); ++i) {
        SCOPED_TRACE(ConstantValues[i].Name);
        EXPECT_EQ(constants[i].Name, ConstantValues[i].Name);
        EXPECT_EQ(static_cast<double>(constants[i].Value), ConstantValues[i].Value);
    }
}

TEST(StandardTable, FunctionsOfOneArgumentFirstThenOfTwo) {
    const auto functions = StandardFunctions();
    ASSERT_EQ(functions.size(), 39u);
    std::set<const void*> adapters;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        SCOPED_TRACE(std::string(functions[i].Name));
        const bool unary = i < 35;
        EXPECT_EQ(functions[i].Arity, unary ? 1 : 2);
        EXPECT_EQ(functions[i].Unary != nullptr, unary);
        EXPECT_EQ(functions[i].Binary != nullptr, !unary);
        adapters.insert(unary ? reinterpret_cast<const void*>(functions[i].Unary)
                              : reinterpret_cast<const void*>(functions[i].Binary));
    }
    EXPECT_EQ(adapters.size(), 39u) << "every name has an adapter of its own";
    EXPECT_EQ(functions[34].Name, "versine");
    EXPECT_EQ(functions[35].Name, "power");
    EXPECT_EQ(functions[38].Name, "arctan2");
}

TEST(StandardTable, NoNameTwiceIgnoringCase) {
    std::set<std::string> names;
    for (const auto& constant : StandardConstants())
        names.insert(Lower(constant.Name));
    for (const auto& function : StandardFunctions())
        names.insert(Lower(function.Name));
    EXPECT_EQ(names.size(), 88u);
}

// ---- through an evaluator ----------------------------------------------------------

class StandardContextTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }

    double Evaluate(std::string_view formula) {
        TCompiledEvaluator evaluator;
        evaluator.SharedContexts().Add(&StandardContext());
        evaluator.CompileExpression(formula);
        return evaluator.EvaluateExpression();
    }
};

TEST_F(StandardContextTest, EveryConstantByNameInAnyCase) {
    for (const TConstantValue& constant : ConstantValues) {
        for (const std::string& name :
             {std::string(constant.Name), MixedCase(constant.Name), Lower(constant.Name)}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(Evaluate(name), constant.Value);
        }
    }
    EXPECT_EQ(Evaluate("PI"), 3.141592653589793);
    EXPECT_EQ(Evaluate("NCONST"), 2.718281828459045);
}

TEST_F(StandardContextTest, EveryFunctionByNameInAnyCase) {
    for (const TStandardFunction& function : StandardFunctions()) {
        const std::string name = MixedCase(function.Name);
        SCOPED_TRACE(name);
        TExprSym* symbol = StandardContext().Find(name);
        ASSERT_NE(symbol, nullptr);
        EXPECT_EQ(symbol->Name(), function.Name);
    }
    EXPECT_EQ(StandardContext().Find("e"), nullptr);
    EXPECT_EQ(StandardContext().Find("log10"), nullptr);
}

struct TFormulaCase {
    const char* Rule;
    const char* Formula;
    double Expected;
};

TEST_F(StandardContextTest, FormulasCallTheAdapters) {
    const TFormulaCase cases[] = {
        {"deg converts radians to degrees", "sin(30/deg)", 0.49999999999999994},
        {"deg converts radians to degrees", "arctan(1)*deg", 45},
        {"log2 is the base-10 logarithm of 2", "log2", 0.3010299956639812},
        {"the base-2 logarithm is a function", "LogBase2(8)", 3},
        {"two arguments, separated by ';'", "power(2;10)", 1024},
        {"logbasen takes the base first", "LogBaseN(4;6.25)", 1.3219280948873624},
        {"arctan2 takes the ordinate first", "arctan2(1;0)", 1.5707963267948966},
        {"twotopower63 is exact", "twotopower63 - 9223372036854774784", 1024},
        {"sin is not range-checked", "sin(1E19)", -0.9270631660486504},
    };
    for (const TFormulaCase& c : cases) {
        SCOPED_TRACE(std::string(c.Rule) + ": " + c.Formula);
        EXPECT_EQ(Evaluate(c.Formula), c.Expected);
    }
}

TEST_F(StandardContextTest, ErrorsReachTheCaller) {
    EXPECT_THROW(Evaluate("csc(0)"), EMathLibError);
    EXPECT_THROW(Evaluate("ln(0)"), EZeroDivide);
    EXPECT_THROW(Evaluate("arcsec(0.5)"), EInvalidOp);
    EXPECT_THROW(Evaluate("cosh(-800)"), EOverflow);
    try {
        Evaluate("e + 1");
        ADD_FAILURE() << "e is no built-in name";
    } catch (const EExprEvalError& e) {
        EXPECT_STREQ(e.what(), "Parse error: Unknown symbol: 'e'");
    }
    EXPECT_THROW(Evaluate("log10(100)"), EExprEvalError);
}

// A user variable hides the standard entry of the same name in its computation only.
TEST_F(StandardContextTest, UserVariableShadowsAStandardName) {
    double pi = 3;
    {
        TCompiledEvaluator evaluator;
        evaluator.SharedContexts().Add(&StandardContext());
        evaluator.DefineVariable("PI", &pi);
        evaluator.CompileExpression("pi * 2");
        EXPECT_EQ(evaluator.EvaluateExpression(), 6);
    }
    EXPECT_EQ(Evaluate("pi * 2"), 6.283185307179586);
}

TEST_F(StandardContextTest, OneTableSharedByEveryEvaluator) {
    TExprHashContext& table = StandardContext();
    EXPECT_EQ(&StandardContext(), &table);
    auto first = std::make_unique<TCompiledEvaluator>();
    TCompiledEvaluator second;
    first->SharedContexts().Add(&StandardContext());
    second.SharedContexts().Add(&StandardContext());
    EXPECT_EQ(first->SharedContexts().Contexts(0), second.SharedContexts().Contexts(0));
    first->CompileExpression("sqrt2");
    first.reset(); // freeing an evaluator leaves the table intact
    second.CompileExpression("sqrt2 * sqrt(2)");
    EXPECT_EQ(second.EvaluateExpression(), 2.0000000000000004);
    EXPECT_NE(table.Find("sqrt2"), nullptr);
}

} // namespace
