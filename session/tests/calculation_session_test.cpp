// The calculation session without any window: computation, both logs, the session
// count, failures and the state they leave, and the grid's cell memory.
#include "session/calculation_session.h"

#include <gtest/gtest.h>

#include "platform/error_display_text.h"
#include "platform/exceptions.h"
#include "platform/regional_settings.h"
#include "session/predefined_formulas.h"

namespace {

using Lines = std::vector<std::string>;

class CalculationSessionTest : public testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The value column of rows 1..count as shown.
    Lines Values(int count) const {
        Lines values;
        for (int row = 1; row <= count; ++row)
            values.push_back(session.Cells().Cell(1, row));
        return values;
    }
    Lines Names() const {
        Lines names;
        for (int row = 1; row < session.Cells().RowCount(); ++row)
            names.push_back(session.Cells().Cell(0, row));
        return names;
    }
    void SetValues(const Lines& values) {
        for (size_t i = 0; i < values.size(); ++i)
            session.Cells().SetCell(1, static_cast<int>(i) + 1, values[i]);
    }

    TCalculationSession session;
};

// Start-up: x declared with the value 2 of the placeholder row, the default formula.
TEST_F(CalculationSessionTest, WorkedExampleGivesResultAndBothLogs) {
    session.ParseVariableList("x");
    EXPECT_EQ(session.Compute(DefaultFormula()), "5.66336");
    EXPECT_EQ(session.IntermediateLog(),
              (Lines{"Formula: F = 5.22 - 5.44E-4 * (x - 817)", "x: 2", "F value: 5.66336"}));
    EXPECT_EQ(session.SessionLog(),
              (Lines{"- - 1 - - - - - - - - -", "Formula: F = 5.22 - 5.44E-4 * (x - 817)", "x: 2",
                     "Y value: 5.66336"}));
    EXPECT_EQ(session.SessionCount(), 1);
}

// The intermediate log holds the last record only; the session log grows.
TEST_F(CalculationSessionTest, SecondComputeReplacesIntermediateAndAppendsSession) {
    session.ParseVariableList("a;b");
    SetValues({"1", " 2 "});
    EXPECT_EQ(session.Compute("a+b"), "3");
    SetValues({"4", "5"});
    EXPECT_EQ(session.Compute("a*b  rest is a comment"), "20");
    EXPECT_EQ(session.IntermediateLog(),
              (Lines{"Formula: F = a*b  rest is a comment", "a: 4", "b: 5", "F value: 20"}));
    EXPECT_EQ(session.SessionLog(),
              (Lines{"- - 1 - - - - - - - - -", "Formula: F = a+b", "a: 1", "b:  2 ", "Y value: 3",
                     "- - 2 - - - - - - - - -", "Formula: F = a*b  rest is a comment", "a: 4",
                     "b: 5", "Y value: 20"}));
}

TEST_F(CalculationSessionTest, NothingDeclaredComputesWithoutVariableLines) {
    session.ParseVariableList(" ; ");
    EXPECT_EQ(session.Compute("sqrt(4)"), "2");
    EXPECT_EQ(session.IntermediateLog(), (Lines{"Formula: F = sqrt(4)", "F value: 2"}));
}

TEST_F(CalculationSessionTest, CommaSeparatorReadsAndWritesWithComma) {
    SetDecimalSeparator(',');
    session.ParseVariableList("x");
    SetValues({"2,5"});
    EXPECT_EQ(session.Compute("x*2,1"), "5,25");
    EXPECT_EQ(session.IntermediateLog().back(), "F value: 5,25");
}

struct TFailureCase {
    const char* rule;
    std::string variables;
    Lines values; // written into rows 1.. after the parse
    std::string formula;
    std::string shown; // the text of the error box
    std::vector<double> converted;
};

// Test listings name a case by its rule.
void PrintTo(const TFailureCase& c, std::ostream* out) {
    *out << c.rule;
}

class SessionFailureTest : public CalculationSessionTest,
                           public testing::WithParamInterface<TFailureCase> {};

// Every failure: the message the user sees, no log record, count unchanged, the list
// and grid as parsed, the numbers read before the failure kept.
TEST_P(SessionFailureTest, FailureLeavesStateAsParsed) {
    const TFailureCase& c = GetParam();
    session.ParseVariableList("x");
    ASSERT_EQ(session.Compute("x"), "2");
    const Lines sessionLog = session.SessionLog();

    session.ParseVariableList(c.variables);
    SetValues(c.values);
    std::string shown;
    try {
        session.Compute(c.formula);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        shown = ErrorDisplayText(e.what());
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_TRUE(session.IntermediateLog().empty());
    EXPECT_EQ(session.SessionLog(), sessionLog);
    EXPECT_EQ(session.SessionCount(), 1);
    const std::vector<double> prefix(session.VarValues().begin(),
                                     session.VarValues().begin() +
                                         static_cast<long>(c.converted.size()));
    EXPECT_EQ(prefix, c.converted);

    // A later success gets the next number.
    session.ParseVariableList("");
    ASSERT_EQ(session.Compute("1"), "1");
    EXPECT_EQ(session.SessionLog()[sessionLog.size()], "- - 2 - - - - - - - - -");
}

const TFailureCase failureCases[] = {
    {"empty_value_cell",
     "a;b",
     {"3", ""},
     "a+b",
     "Nothing assigned to one of the variables.",
     {3.0}},
    {"value_not_a_number_keeps_text_as_typed",
     "a",
     {" 1,5 "},
     "a",
     "' 1,5 ' is not a valid floating point value.",
     {}},
    {"value_beyond_double_range", "a;b", {"1", "1E400"}, "a", "Floating point overflow.", {1.0}},
    {"repeated_name_in_other_case",
     "x;X",
     {"1", "2"},
     "x",
     "Duplicate hash list entry: X.",
     {1.0, 2.0}},
    {"malformed_formula", "x", {"2"}, "x+", "Parse error: Factor expected.", {2.0}},
    {"blank_formula", "x", {"2"}, "   ", "Parse error: Factor expected.", {2.0}},
    {"unknown_symbol", "", {}, "x*2", "Parse error: Unknown symbol: 'x'", {}},
    {"name_formulas_cannot_spell", "a b", {"2"}, "a b", "Parse error: Unknown symbol: 'a'", {2.0}},
    {"division_by_zero", "x", {"0"}, "1/x", "Floating point division by zero.", {0.0}},
    {"empty_formula", "x", {"2"}, "", "List index out of bounds (0)", {2.0}},
};

INSTANTIATE_TEST_SUITE_P(Rules, SessionFailureTest, testing::ValuesIn(failureCases),
                         [](const auto& test) { return std::string(test.param.rule); });

TEST_F(CalculationSessionTest, StartShowsPlaceholderRow) {
    EXPECT_TRUE(session.VarList().empty());
    EXPECT_EQ(session.Cells().RowCount(), 2);
    EXPECT_EQ(session.Cells().Cell(0, 0), "Name");
    EXPECT_EQ(session.Cells().Cell(1, 0), "Value");
    EXPECT_EQ(Names(), Lines{"x"});
    EXPECT_EQ(Values(1), Lines{"2"});
    EXPECT_EQ(session.QuantityText(), "1");
}

TEST_F(CalculationSessionTest, EmptyListRestoresPlaceholderOverTypedValue) {
    session.ParseVariableList("a;b");
    SetValues({"7", "8"});
    session.ParseVariableList(";");
    EXPECT_EQ(session.Cells().RowCount(), 2);
    EXPECT_EQ(Names(), Lines{"x"});
    EXPECT_EQ(Values(2), (Lines{"2", "8"}));
    EXPECT_EQ(session.QuantityText(), "1");
}

// Values belong to row numbers, not to names.
TEST_F(CalculationSessionTest, ReorderedListKeepsValuesByRow) {
    session.ParseVariableList("a;b");
    SetValues({"1", "5"});
    session.ParseVariableList("b;a");
    EXPECT_EQ(Names(), (Lines{"b", "a"}));
    EXPECT_EQ(Values(2), (Lines{"1", "5"}));
    EXPECT_EQ(session.Compute("a-b"), "4");
}

TEST_F(CalculationSessionTest, HiddenRowsKeepTextsAndNewRowsGetTwo) {
    session.ParseVariableList("a;b;c");
    SetValues({"1", "5", "7"});
    session.ParseVariableList("a");
    EXPECT_EQ(session.Cells().RowCount(), 2);
    EXPECT_EQ(session.QuantityText(), "1");
    session.ParseVariableList("a;b;c;d");
    EXPECT_EQ(Values(4), (Lines{"1", "5", "7", "2"}));
    EXPECT_EQ(session.QuantityText(), "4");
}

// What a plot reads: the list as typed, the grid's texts, an empty cell as the 2 that
// Compute's parse would put back; the grid itself is left as it was.
TEST_F(CalculationSessionTest, InputsAsTypedReadWithoutChangingTheGrid) {
    session.ParseVariableList("a;b");
    SetValues({"1,5", ""});
    const TFormulaInputs inputs = session.InputsAsTyped("a;b;c", "a+b");
    EXPECT_EQ(inputs.Formula, "a+b");
    EXPECT_EQ(inputs.Names, (Lines{"a", "b", "c"}));
    EXPECT_EQ(inputs.ValueTexts, (Lines{"1,5", "2", "2"}));
    EXPECT_EQ(Values(2), (Lines{"1,5", ""}));
    EXPECT_EQ(session.VarList(), (Lines{"a", "b"}));
}

// Loading writes beyond the row count; the parse that follows reveals the texts.
TEST_F(CalculationSessionTest, PredefinedCellsAppearWithTheNextParse) {
    const auto formulas = PredefinedFormulas();
    session.LoadPredefinedCells(formulas[1]);
    EXPECT_EQ(session.Cells().RowCount(), 2);
    session.ParseVariableList(formulas[1].Variables);
    EXPECT_EQ(Names(), (Lines{"L", "c", "n", "p"}));
    EXPECT_EQ(Values(4), (Lines{"16000", "6", "24", "15"}));

    session.LoadPredefinedCells(formulas[0]);
    session.ParseVariableList(formulas[0].Variables);
    EXPECT_EQ(session.Cells().RowCount(), 4);
    EXPECT_EQ(session.Cells().Cell(1, 4), "15");
}

} // namespace
