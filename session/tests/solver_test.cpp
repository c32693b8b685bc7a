// The solver: roots against closed forms and the sign change they stand on, pairs
// of roots inside one sample interval, touching roots, poles, failed samples,
// roots listed once, the cap on the list, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/number_text.h"
#include "session/bound_formula.h"
#include "session/solver.h"

namespace {

const std::vector<std::string> X{"x"}, Two{"2"};

TSolution Solve(const char* formula, const char* from, const char* to, long points = 1001,
                const char* target = "0") {
    TSolver solver(formula, X, Two, {"x", from, to, points, false}, target);
    solver.Run();
    return solver.Solution();
}

std::vector<double> XsOf(const TSolution& solution, TFindingKind kind) {
    std::vector<double> xs;
    for (const TFinding& f : solution.Findings)
        if (f.Kind == kind) xs.push_back(f.Point.X);
    return xs;
}

// g at x, as a Compute with x in its cell would give it.
double G(const char* formula, double x, double target) {
    std::vector<double> values(1);
    return EvaluateFormula(formula, X, std::vector<std::string>{FormatShortest(x)}, values) -
           target;
}

// The roots of x^2 = T (0.01 - x), in long double from the doubles given.
double ChemistryRoot(int sign) {
    const long double c = 0.01, t = 0.158489319246111, root = std::sqrt(t * t + 4 * c * t);
    return static_cast<double>(sign > 0 ? 2 * c * t / (t + root) : (-t - root) / 2);
}

TEST(Solver, RootsAreWhereTheComputedSignChangesAndMatchClosedForms) {
    const double pi = std::numbers::pi;
    const struct {
        const char* formula;
        const char* from;
        const char* to;
        const char* target;
        std::vector<double> roots; // the true roots, rounded
    } cases[] = {
        {"(x-1)*(x+2)*(x-3.5)", "-5", "5", "0", {-2, 1, 3.5}},
        {"sin(x)", "-10", "10", "0", {-3 * pi, -2 * pi, -pi, 0, pi, 2 * pi, 3 * pi}},
        {"cos(x)-x", "0", "1", "0", {0.7390851332151607}},
        {"x*x", "0", "2", "2", {std::numbers::sqrt2}},
        {"exp(x)", "-3", "3", "5", {std::log(5.0)}},
        {"x*x/(0.01-x)", "-1", "1", "0.158489319246111", {ChemistryRoot(-1), ChemistryRoot(1)}},
    };
    for (const auto& c : cases) {
        const TSolution s = Solve(c.formula, c.from, c.to, 1001, c.target);
        const std::vector<double> found = XsOf(s, TFindingKind::Root);
        ASSERT_EQ(found.size(), c.roots.size()) << c.formula;
        const double target = std::atof(c.target);
        for (std::size_t i = 0; i < found.size(); ++i) {
            const double r = found[i];
            // within 2 ulps of the true root
            EXPECT_LE(
                std::fabs(r - c.roots[i]),
                2 * (std::nextafter(std::fabs(c.roots[i]), INFINITY) - std::fabs(c.roots[i])) +
                    1e-300)
                << c.formula << " " << i;
            // one of the two adjacent doubles between which g changes sign
            const double g = G(c.formula, r, target);
            EXPECT_TRUE(g == 0 || G(c.formula, std::nextafter(r, -INFINITY), target) * g < 0 ||
                        G(c.formula, std::nextafter(r, INFINITY), target) * g < 0)
                << c.formula << " " << r;
        }
    }
}

TEST(Solver, TheLoanRateThatMakesThePayment500) {
    const std::vector<std::string> names{"L", "c", "n"}, values{"20000", "6", "48"};
    const char* const payment =
        "L*(((c/100)/12)*power((1+((c/100)/12));n))/(power((1+((c/100)/12));n)-1)";
    TSolver solver(payment, names, values, {"c", "0.1", "30", DefaultSolvePoints, false}, "500");
    solver.Run();
    ASSERT_EQ(solver.Solution().Findings.size(), 1u);
    const TSweepPoint& root = solver.Solution().Findings[0].Point;
    EXPECT_NEAR(root.X, 9.2418, 1e-4);
    EXPECT_NEAR(root.Value, 500, 1e-12);
}

TEST(Solver, PairsTouchesPolesAndFailures) {
    // Both roots inside one sample interval, with 1 a sample and not.
    for (const char* from : {"0", "0.0001"}) {
        const TSolution s = Solve("(x-1)*(x-1.000001)", from, "2");
        EXPECT_EQ(XsOf(s, TFindingKind::Root), (std::vector<double>{1, 1.000001})) << from;
    }
    const TSolution touch = Solve("(x-1)*(x-1)", "0", "3");
    ASSERT_EQ(touch.Findings.size(), 1u);
    EXPECT_EQ(touch.Findings[0].Kind, TFindingKind::TouchingRoot);
    EXPECT_NEAR(touch.Findings[0].Point.X, 1, 1e-7);
    EXPECT_EQ(touch.RootCount, 1);

    const TSolution tangent = Solve("tan(x)", "0", "3");
    EXPECT_EQ(XsOf(tangent, TFindingKind::Root), std::vector<double>{0})
        << "at the range end, once";
    ASSERT_EQ(XsOf(tangent, TFindingKind::PoleOrJump).size(), 1u);
    EXPECT_NEAR(XsOf(tangent, TFindingKind::PoleOrJump)[0], std::numbers::pi / 2, 1e-15);
    // 1 and 0.01 are samples: the failed sample between opposite signs is the pole,
    // and a root beside it is found on the way to it.
    const TSolution reciprocal = Solve("1/(x-1)", "0", "2");
    EXPECT_EQ(reciprocal.RootCount, 0);
    EXPECT_EQ(XsOf(reciprocal, TFindingKind::PoleOrJump), std::vector<double>{1});
    const TSolution chemistry = Solve("x*x/(0.01-x)", "0", "1", 1001, "0.158489319246111");
    EXPECT_EQ(XsOf(chemistry, TFindingKind::PoleOrJump), std::vector<double>{0.01});
    EXPECT_EQ(chemistry.RootCount, 1);
    EXPECT_EQ(Solve("(x>1)-0.5", "0.5", "1.5", 1001).Findings[0].Kind, TFindingKind::PoleOrJump);
    // the pole's huge values do not make a far dip a touching root
    EXPECT_EQ(Solve("x*x/(0.01-x)", "-1", "1", 1001, "0.158489319246111").RootCount, 2);

    const TSolution log = Solve("ln(x)", "-1", "1", 5);
    EXPECT_EQ(log.FailedSamples.Failed, 3);
    EXPECT_EQ(log.FailedSamples.FirstMessage, "Invalid floating point operation.");
    EXPECT_EQ(XsOf(log, TFindingKind::Root), std::vector<double>{1});
    EXPECT_EQ(XsOf(Solve("x-0.5", "0", "1", 3), TFindingKind::Root), std::vector<double>{0.5});
}

TEST(Solver, ExtremesClosestApproachAndTheCap) {
    const TSolution s = Solve("x*x+1", "-1", "2");
    EXPECT_EQ(s.RootCount, 0);
    EXPECT_NEAR(s.Minimum->Point.X, 0, 1e-7);
    EXPECT_EQ(s.Minimum->Point.Value, 1);
    EXPECT_EQ(s.Maximum->Point.X, 2) << "at the range end";
    EXPECT_EQ(s.Closest->Value, 1);
    EXPECT_EQ(RootCountText(s, 0, -1, 2), "no root of F = 0 between -1 and 2");
    const TSolution sine = Solve("sin(x)", "1", "4");
    EXPECT_EQ(RootCountText(sine, 0, 1, 4), "1 root of F = 0 between 1 and 4");
    EXPECT_NEAR(sine.Maximum->Point.X, std::numbers::pi / 2, 1e-7);

    const TSolution many = Solve("sin(1000*x)", "0.001", "10", 1000000);
    EXPECT_EQ(many.RootCount, 3183);
    EXPECT_TRUE(many.Truncated);
    EXPECT_EQ(many.Findings.size(), MaxListedFindings);
}

TEST(Solver, BadInputIsRefusedBeforeAnythingRuns) {
    const struct {
        TSweepRange range;
        const char* target;
        const char* message;
    } cases[] = {
        {{"y", "0", "1", 5, false}, "0", "The swept variable 'y' is not declared"},
        {{"x", "1", "1", 5, false}, "0", "From and To are the same"},
        {{"x", "-1", "1", 5, true}, "0", "A logarithmic scale needs From and To above 0"},
        {{"x", "0", "1", 1, false}, "0", "Points must be a whole number from 2 to 1000000"},
        {{"x", "0", "1", 5, false}, "abc", "'abc' is not a valid floating point value"},
        {{"x", "0", "1", 5, false}, "", "Nothing assigned to one of the variables"},
    };
    for (const auto& c : cases) {
        try {
            TSolver solver("x", X, Two, c.range, c.target);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_THROW(TSolver("x+", X, Two, {"x", "0", "1", 5, false}, "0"), Exception);
}

} // namespace
