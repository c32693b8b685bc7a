// Sweeps: the same values as single Computes, failed points that keep their
// messages, the refusals, and the spacing of the points.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "session/bound_formula.h"
#include "session/double_order.h"
#include "session/sweep.h"

namespace {

const std::vector<std::string> Names{"A", "Q", "T"};
const std::vector<std::string> Texts{"3.726E-8", "185999", "1141"};
const char* const Diffusion = "A*exp(-Q/(8.31441*T))";

TEST(Sweep, EveryPointIsWhatComputeGives) {
    TSweep sweep(Diffusion, Names, Texts, {"t", "800", "1400", 7, false});
    EXPECT_EQ(sweep.SweptName(), "T");
    std::vector<double> values(3);
    for (long i = 0; i < sweep.PointCount(); ++i) {
        const TSweepPoint point = sweep.Evaluate(i);
        ASSERT_TRUE(point.Message.empty());
        std::vector<std::string> texts = Texts;
        texts[2] = std::to_string(800 + 100 * i);
        EXPECT_EQ(point.X, 800 + 100 * i);
        EXPECT_EQ(point.Value, EvaluateFormula(Diffusion, Names, texts, values)) << i;
    }
}

TEST(Sweep, FailedPointsKeepTheirMessageAndTheSweepGoesOn) {
    TSweep sweep("ln(x)", std::vector<std::string>{"x"}, std::vector<std::string>{""},
                 {"x", "-1", "1", 5, false});
    TSweepSummary summary;
    std::vector<std::string> messages;
    for (long i = 0; i < sweep.PointCount(); ++i) {
        const TSweepPoint point = sweep.Evaluate(i);
        summary.Add(point);
        messages.push_back(point.Message);
    }
    EXPECT_EQ(summary.Failed, 3);
    EXPECT_EQ(summary.FirstMessage, "Invalid floating point operation.");
    EXPECT_EQ(messages[2], "Floating point division by zero.");
    EXPECT_EQ(messages[4], "");
}

TEST(Sweep, LogarithmicPointsAreEvenInTheirLogarithm) {
    TSweep sweep("x", std::vector<std::string>{"x"}, std::vector<std::string>{"2"},
                 {"x", "1E-3", "1E3", 7, true});
    for (long i = 0; i < 7; ++i)
        EXPECT_NEAR(std::log10(sweep.SweptValue(i)), -3.0 + static_cast<double>(i), 1e-14) << i;
    EXPECT_EQ(sweep.SweptValue(0), 1E-3);
    EXPECT_EQ(sweep.SweptValue(6), 1E3);
}

TEST(Sweep, BadInputIsRefusedBeforeAnythingRuns) {
    const std::vector<std::string> x{"x"}, two{"2"};
    const struct {
        const char* formula;
        TSweepRange range;
        const char* message;
    } cases[] = {
        {"x", {"y", "0", "1", 5, false}, "The swept variable 'y' is not declared"},
        {"x", {"x", "1", "1", 5, false}, "From and To are the same"},
        {"x", {"x", "-1", "1", 5, true}, "A logarithmic scale needs From and To above 0"},
        {"x", {"x", "0", "1", 1, false}, "Points must be a whole number from 2 to 1000000"},
        {"x", {"x", "0", "1", 1000001, false}, "Points must be a whole number from 2 to 1000000"},
        {"x", {"x", "a", "1", 5, false}, "'a' is not a valid floating point value"},
        {"x", {"x", "0", "", 5, false}, "To is empty"},
        {"x", {"x", " ", "1", 5, false}, "From is empty"},
        {"x+", {"x", "0", "1", 5, false}, "Parse error: Factor expected"},
    };
    for (const auto& c : cases) {
        try {
            TSweep sweep(c.formula, x, two, c.range);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    try {
        TSweep sweep("2*3", {}, {}, {"", "0", "1", 5, false});
        ADD_FAILURE() << "a formula without variables was swept";
    } catch (const ESweepError& e) {
        EXPECT_EQ(e.Message(), "The formula has no variable to sweep");
    }
    EXPECT_EQ(ReadSweepPoints(" 201 "), 201);
    EXPECT_THROW(ReadSweepPoints("2.5"), ESweepError);
}

// Every range: the x column never goes back, the ends are exact, every point lies
// inside, and points repeat only where the range holds fewer doubles than points.
TEST(Sweep, PointsAreInOrderInsideTheRangeAndRepeatOnlyWhenTheyMust) {
    const struct {
        const char *From, *To;
        long Points;
        bool Logarithmic;
    } ranges[] = {
        {"5E-324", "1E-323", 11, false},
        {"1E-323", "5E-324", 11, false},
        {"5.968778811548521", "5.968778811548534", 101, false},
        {"-1.7E308", "1.7E308", 1001, false},
        {"1", "1.0000000000001", 1001, false},
        {"-1E-320", "1E-320", 7, false},
        {"1E-300", "1E300", 999, true},
        {"0.1", "0.10000000000000003", 9, true},
    };
    for (const auto& r : ranges) {
        const TSweep sweep("x", std::vector<std::string>{"x"}, std::vector<std::string>{"1"},
                           {"x", r.From, r.To, r.Points, r.Logarithmic});
        const double from = sweep.From(), to = sweep.To(), sign = from < to ? 1 : -1;
        const std::uint64_t doubles =
            KeyDistance(OrderKey(std::min(from, to)), OrderKey(std::max(from, to))) + 1;
        long distinct = 1;
        for (long i = 1; i < r.Points; ++i) {
            const double x = sweep.SweptValue(i), before = sweep.SweptValue(i - 1);
            ASSERT_GE(sign * (x - before), 0) << r.From << ".." << r.To << " at " << i;
            ASSERT_TRUE(std::min(from, to) <= x && x <= std::max(from, to));
            distinct += x != before;
        }
        EXPECT_EQ(sweep.SweptValue(0), from);
        EXPECT_EQ(sweep.SweptValue(r.Points - 1), to);
        const auto expected = static_cast<long>(std::min<std::uint64_t>(doubles, r.Points));
        if (!r.Logarithmic) {
            EXPECT_EQ(distinct, expected) << r.From << ".." << r.To;
        }
    }
    // Round values come out round.
    const TSweep tenths("x", std::vector<std::string>{"x"}, std::vector<std::string>{"1"},
                        {"x", "-1", "1", 11, false});
    EXPECT_EQ(tenths.SweptValue(4), -0.2);
    EXPECT_EQ(tenths.SweptValue(7), 0.4);
}

} // namespace
