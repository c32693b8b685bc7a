// The built-in functions as formulas call them (through their adapters): domain
// errors and fault kinds, the power function's refusals, and values at the points
// where the plain textbook formulas go wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

#include "mathlib/elementary_functions.h"
#include "mathlib/function_variants.h"
#include "mathlib/math_errors.h"
#include "mathlib/standard_table.h"
#include "mathlib/tests/standard_table_lookup.h"

namespace {

constexpr double Pi = 3.141592653589793;
constexpr double TwoTo63 = 0x1p63;
const double Above2To63 = std::nextafter(TwoTo63, INFINITY);

enum class TOutcome { Value, Domain, InvalidOp, ZeroDivide, Overflow };

std::ostream& operator<<(std::ostream& out, TOutcome outcome) {
    const char* names[] = {"a value", "the domain error", "invalid operation", "division by zero",
                           "overflow"};
    return out << names[static_cast<int>(outcome)];
}

struct TCall {
    TOutcome Outcome = TOutcome::Value;
    double Result = 0;
    std::string Message;
};

TCall Call(const char* name, double x, double y = 0) {
    const TStandardFunction* function = FindStandardFunction(name);
    if (function == nullptr) throw std::logic_error(std::string("no built-in function ") + name);
    TCall call;
    try {
        call.Result = function->Arity == 1 ? function->Unary(x) : function->Binary(x, y);
    } catch (const EMathLibError& e) {
        call = {TOutcome::Domain, 0, e.what()};
    } catch (const EInvalidOp& e) {
        call = {TOutcome::InvalidOp, 0, e.what()};
    } catch (const EZeroDivide& e) {
        call = {TOutcome::ZeroDivide, 0, e.what()};
    } catch (const EOverflow& e) {
        call = {TOutcome::Overflow, 0, e.what()};
    }
    return call;
}

// Distance in ulps of the expected double (the spacing at its magnitude).
double UlpsApart(double actual, double expected) {
    if (actual == expected) return 0;
    const double spacing =
        expected == 0 ? std::numeric_limits<double>::denorm_min()
                      : std::nextafter(std::fabs(expected), INFINITY) - std::fabs(expected);
    return std::fabs(actual - expected) / spacing;
}

struct TFaultCase {
    const char* Rule;
    const char* Function;
    double X, Y;
    TOutcome Expected;
};

TEST(ElementaryFunctions, RefusedArgumentsAndFaultKinds) {
    using enum TOutcome;
    const double tiny = 1e-320; // subnormal: its reciprocal is beyond the double range
    const TFaultCase cases[] = {
        {"logarithms refuse 0 and negatives", "logbase10", 0, 0, Domain},
        {"logarithms refuse 0 and negatives", "logbase10", -1, 0, Domain},
        {"logarithms refuse 0 and negatives", "logbase2", -0.0, 0, Domain},
        {"logbasen refuses base 1", "logbasen", 1, 5, Domain},
        {"logbasen refuses number 0", "logbasen", 2, 0, Domain},
        {"logbasen refuses a negative base", "logbasen", -2, 4, Domain},
        {"logbasen refuses base 0", "logbasen", 0, 4, Domain},
        {"ln(0) divides by zero", "ln", 0, 0, ZeroDivide},
        {"ln(-0) divides by zero", "ln", -0.0, 0, ZeroDivide},
        {"ln of a negative is invalid", "ln", -1, 0, InvalidOp},
        {"sqrt of a negative is invalid", "sqrt", -1, 0, InvalidOp},
        {"range-checked trig refuses above 2^63", "tan", 1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "tan", -Above2To63, 0, Domain},
        {"range-checked trig refuses above 2^63", "cot", 1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "sec", -1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "csc", 1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "versine", Above2To63, 0, Domain},
        {"range-checked trig refuses above 2^63", "coversine", 1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "haversine", 1e19, 0, Domain},
        {"range-checked trig refuses above 2^63", "exsecans", 1e300, 0, Domain},
        {"csc refuses a zero sine", "csc", 0, 0, Domain},
        {"cot(0) divides by zero", "cot", 0, 0, ZeroDivide},
        {"cot of a subnormal overflows", "cot", tiny, 0, Overflow},
        {"csc of a subnormal overflows", "csc", -tiny, 0, Overflow},
        {"arcsin refuses beyond 1", "arcsin", 1.0000001, 0, Domain},
        {"arccos refuses beyond -1", "arccos", -1.0000001, 0, Domain},
        {"arccot refuses 0", "arccot", 0, 0, Domain},
        {"arcsec inside (-1, 1) is invalid", "arcsec", 0.5, 0, InvalidOp},
        {"arcsec inside (-1, 1) is invalid", "arcsec", 0, 0, InvalidOp},
        {"arccsc inside (-1, 1) is invalid", "arccsc", -0.5, 0, InvalidOp},
        {"coth(0) divides by zero", "coth", 0, 0, ZeroDivide},
        {"coth(-0) divides by zero", "coth", -0.0, 0, ZeroDivide},
        {"csch refuses 0", "csch", 0, 0, Domain},
        {"csch of a subnormal overflows", "csch", tiny, 0, Overflow},
        {"sinh beyond the double range overflows", "sinh", 711, 0, Overflow},
        {"sinh of a large negative overflows", "sinh", -711, 0, Overflow},
        {"sinh of a huge negative overflows", "sinh", -12000, 0, Overflow},
        {"cosh beyond the double range overflows", "cosh", 711, 0, Overflow},
        {"cosh of a large negative overflows", "cosh", -711, 0, Overflow},
        {"cosh of a huge negative overflows", "cosh", -12000, 0, Overflow},
        {"arccosh refuses below 1", "arccosh", 0.5, 0, Domain},
        {"arctanh refuses 1", "arctanh", 1, 0, Domain},
        {"arctanh refuses -1", "arctanh", -1, 0, Domain},
        {"arccoth refuses 1", "arccoth", 1, 0, Domain},
        {"arccoth refuses -1", "arccoth", -1, 0, Domain},
        {"arccoth inside (-1, 1) is invalid", "arccoth", 0.5, 0, InvalidOp},
        {"arccoth inside (-1, 1) is invalid", "arccoth", -0.0, 0, InvalidOp},
        {"arcsech refuses beyond 1", "arcsech", 2, 0, Domain},
        {"arcsech refuses beyond -1", "arcsech", -2, 0, Domain},
        {"arcsech(0) divides by zero", "arcsech", 0, 0, ZeroDivide},
        {"arcsech(-0) divides by zero", "arcsech", -0.0, 0, ZeroDivide},
        {"arcsech of a negative is invalid", "arcsech", -0.5, 0, InvalidOp},
        {"arccsch refuses 0", "arccsch", 0, 0, Domain},
        {"exp beyond the double range overflows", "exp", 710, 0, Overflow},
        {"exp beyond the extended range overflows", "exp", 12000, 0, Overflow},
        {"square beyond the double range overflows", "square", 1e200, 0, Overflow},
        {"power beyond the double range overflows", "power", 10, 400, Overflow},
        {"power beyond the extended range overflows", "power", 0.5, -20000, Overflow},
        {"odd power of a negative overflows too", "power", -10, 401, Overflow},
    };
    for (const TFaultCase& c : cases) {
        SCOPED_TRACE(std::string(c.Rule) + ": " + c.Function);
        const TCall call = Call(c.Function, c.X, c.Y);
        EXPECT_EQ(call.Outcome, c.Expected) << "argument " << c.X << " result " << call.Result;
    }
}

TEST(ElementaryFunctions, MessagesAreExact) {
    EXPECT_EQ(Call("csc", 0).Message, "Domain check failure in Quorvex");
    EXPECT_EQ(Call("ln", 0).Message, "Floating point division by zero");
    EXPECT_EQ(Call("sqrt", -1).Message, "Invalid floating point operation");
    EXPECT_EQ(Call("exp", 710).Message, "Floating point overflow");
    EXPECT_EQ(Call("power", 0, -2).Message, "Power function: Result is infinite");
    EXPECT_EQ(Call("power", -0.0, -0.5).Message, "Power function: Result is infinite");
    EXPECT_EQ(Call("power", -8, 0.5).Message, "Power function: Result is complex");
    EXPECT_EQ(Call("power", -8, -1e-300).Message, "Power function: Result is complex");
}

struct TValueCase {
    const char* Rule;
    const char* Function;
    double X, Y;
    double Expected; // correctly rounded; 1 ulp of it is accepted
};

TEST(ElementaryFunctions, Values) {
    const TValueCase cases[] = {
        {"logarithm of an exact power", "logbase10", 1000, 0, 3},
        {"logarithm of an exact power", "logbase2", 8, 0, 3},
        {"logbasen takes the base first", "logbasen", 4, 6.25, 1.3219280948873624},
        {"logbasen takes the base first", "logbasen", 2, 1024, 10},
        {"sin is true beyond 2^63", "sin", 1e19, 0, -0.9270631660486504},
        {"cos is true beyond 2^63", "cos", 1e19, 0, -0.37490516955071784},
        {"2^63 itself is accepted", "tan", TwoTo63, 0, 84.73931296875567},
        {"2^63 itself is accepted", "csc", -TwoTo63, 0, -1.000069628174303},
        {"arcsin(1) is pi/2", "arcsin", 1, 0, Pi / 2},
        {"arccos(-1) is pi", "arccos", -1, 0, Pi},
        {"arccot is odd", "arccot", -1, 0, -Pi / 4},
        {"arcsec is arccos(1/x)", "arcsec", 2, 0, 1.0471975511965979},
        {"arcsec is arccos(1/x)", "arcsec", -2, 0, 2.0943951023931957},
        {"arcsec is arccos(1/x)", "arcsec", -1, 0, Pi},
        {"arcsec is arccos(1/x)", "arcsec", 1, 0, 0},
        {"arccsc is arcsin(1/x)", "arccsc", -2, 0, -0.5235987755982989},
        {"arccsc is arcsin(1/x)", "arccsc", 1, 0, Pi / 2},
        {"arccsc is arcsin(1/x)", "arccsc", -1, 0, -Pi / 2},
        {"arctan2 takes the ordinate first", "arctan2", 0, -1, Pi},
        {"arctan2 takes the ordinate first", "arctan2", -1, 0, -Pi / 2},
        {"arctan2 takes the ordinate first", "arctan2", 1, 0, Pi / 2},
        {"arctan2 of the origin is 0", "arctan2", 0, 0, 0},
        {"tanh saturates", "tanh", 6000, 0, 1},
        {"tanh saturates", "tanh", -6000, 0, -1},
        {"tiny hyperbolic arguments keep their digits", "sinh", 1e-20, 0, 1e-20},
        {"tiny hyperbolic arguments keep their digits", "tanh", 1e-20, 0, 1e-20},
        {"tiny hyperbolic arguments keep their digits", "coth", 1e-20, 0, 1e20},
        {"tiny hyperbolic arguments keep their digits", "csch", 1e-20, 0, 1e20},
        {"sech(0) is 1", "sech", 0, 0, 1},
        {"results below the range are 0", "sech", 1000, 0, 0},
        {"results below the range are 0", "csch", 1000, 0, 0},
        {"results below the range are 0", "sech", 20000, 0, 0},
        {"results below the range are 0", "csch", -20000, 0, 0},
        {"results below the range are 0", "exp", -1000, 0, 0},
        {"arccosh(1) is 0", "arccosh", 1, 0, 0},
        {"arccsch is odd", "arccsch", 1, 0, 0.881373587019543},
        {"arccsch is odd", "arccsch", -1, 0, -0.881373587019543},
        {"arcsinh is odd", "arcsinh", -1e10, 0, -23.7189981105004},
        {"tiny inverse hyperbolic results keep their digits", "arcsinh", 1e-20, 0, 1e-20},
        {"tiny inverse hyperbolic results keep their digits", "arctanh", 1e-20, 0, 1e-20},
        {"tiny inverse hyperbolic results keep their digits", "arccoth", 1e20, 0, 1e-20},
        {"tiny inverse hyperbolic results keep their digits", "arccsch", 1e20, 0, 1e-20},
        {"versed functions of tiny angles keep their digits", "versine", 1e-10, 0, 5e-21},
        {"versed functions of tiny angles keep their digits", "haversine", 1e-10, 0, 2.5e-21},
        {"versed functions of tiny angles keep their digits", "exsecans", 1e-10, 0, 5e-21},
        {"power: anything to 0 is 1", "power", 0, 0, 1},
        {"power: 1 to anything is 1", "power", 1, 1e300, 1},
        {"power: 0 to a positive power is 0", "power", 0, 3, 0},
        {"power: odd power of a negative base", "power", -2, 3, -8},
        {"power: even power of a negative base", "power", -2, 2, 4},
        {"power: huge exponents are even", "power", -1, 1e300, 1},
        {"power", "power", 2, 10, 1024},
        {"pythag", "pythag", 3, 4, 5},
        {"pythag", "pythag", 0, 0, 0},
        {"pythag squares nothing that overflows", "pythag", 1e300, 1e300, 1.4142135623730951e300},
        {"pythag squares nothing that underflows", "pythag", 3e-320, 4e-320, 5e-320},
    };
    for (const TValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.Rule) + ": " + c.Function);
        const TCall call = Call(c.Function, c.X, c.Y);
        ASSERT_EQ(call.Outcome, TOutcome::Value) << call.Message;
        EXPECT_LE(UlpsApart(call.Result, c.Expected), 1)
            << "got " << call.Result << ", expected " << c.Expected;
    }
}

// Formulas never see a NaN or an infinity, and a fault leaves nothing behind for the
// next call.
TEST(ElementaryFunctions, AFaultLeavesTheNextCallClean) {
    EXPECT_EQ(Call("ln", -1).Outcome, TOutcome::InvalidOp);
    EXPECT_EQ(Call("ln", 1).Result, 0);
    EXPECT_EQ(Call("exp", 1e5).Outcome, TOutcome::Overflow);
    EXPECT_EQ(Call("exp", 0).Result, 1);
}

// Exact results are decided at once; the ends of the double range are left to the
// exact path, which knows where the overflow begins.
TEST(ElementaryFunctions, RoutinesLeaveTheEndsOfTheRangeToTheExactPath) {
    const TRoundedResult power = Fast::Power(2, 64);
    EXPECT_TRUE(power.Decided);
    EXPECT_EQ(power.Value, 0x1p64);
    EXPECT_FALSE(Fast::Exp(710).Decided);
    EXPECT_FALSE(Fast::CosH(710).Decided);
    EXPECT_FALSE(Fast::Pythag(1e308, 1e308).Decided);
    EXPECT_EQ(Call("cosh", 710).Outcome, TOutcome::Value);
    EXPECT_EQ(Call("pythag", 1.5e308, 1.5e308).Outcome, TOutcome::Overflow);
}

} // namespace

namespace {

// Every row's fast path (its adapter) and exact path give the same double, in both
// builds of the kernels, on arguments inside every function's domain or refused.
TEST(FunctionTable, EveryRowsFastAndExactPathsAgree) {
    const double arguments[] = {0.3, -0.7, 0.999, 1.5, 2.75, -3.25, 1e-5, 42.5};
    for (const auto& table : {PortableFunctions(), StandardFunctions()})
        for (const TStandardFunction& f : table)
            for (const double x : arguments)
                for (const double y : {0.6, 2.5}) {
                    double fast;
                    try {
                        fast = f.Arity == 1 ? f.Unary(x) : f.Binary(x, y);
                    } catch (const std::exception&) {
                        continue; // refused: no exact value to compare
                    }
                    EXPECT_EQ(fast, f.Exact(x, y)) << f.Name << "(" << x << ", " << y << ")";
                }
}

} // namespace
