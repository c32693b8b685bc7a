// Each predefined formula computes from its sample values to the expected result
// under either decimal separator.
#include "session/predefined_formulas.h"

#include <gtest/gtest.h>

#include "platform/regional_settings.h"
#include "session/calculation_session.h"

namespace {

struct TFormulaCase {
    int index;
    const char* point; // the result with "." as separator
};

// Test listings name a case by its entry.
void PrintTo(const TFormulaCase& c, std::ostream* out) {
    *out << "entry " << c.index;
}

class PredefinedFormulaTest : public testing::TestWithParam<std::tuple<TFormulaCase, char>> {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }
};

std::string WithSeparator(std::string text, char separator) {
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

TEST_P(PredefinedFormulaTest, SampleValuesComputeToKnownResult) {
    const auto& [c, separator] = GetParam();
    SetDecimalSeparator(separator);
    const TPredefinedFormula entry = PredefinedFormulas()[static_cast<size_t>(c.index)];
    TCalculationSession session;
    session.LoadPredefinedCells(entry);
    session.ParseVariableList(entry.Variables);
    EXPECT_EQ(session.VarList(), entry.Names);
    EXPECT_EQ(session.Compute(entry.Formula), WithSeparator(c.point, separator));
}

// Results to 15 digits; they round to 709.13, 6225.50, 1270.49, 17281.77, 62.137,
// 22.8958 and 1.1386E-16 with the standard gas constant 8.31441.
const TFormulaCase formulaCases[] = {
    {0, "709.129764044125"},     {1, "6225.49552618169"}, {2, "1270.48916109538"},
    {3, "17281.7711396657"},     {4, "62.137"},           {5, "22.89581485191"},
    {6, "1.13861374863998E-16"},
};

INSTANTIATE_TEST_SUITE_P(Entries, PredefinedFormulaTest,
                         testing::Combine(testing::ValuesIn(formulaCases),
                                          testing::Values('.', ',')),
                         [](const auto& test) {
                             return "entry" + std::to_string(std::get<0>(test.param).index) +
                                    (std::get<1>(test.param) == '.' ? "_point" : "_comma");
                         });

TEST(PredefinedFormulas, SampleValuesWithDecimalsUseSeparator) {
    SetDecimalSeparator(',');
    const auto formulas = PredefinedFormulas();
    EXPECT_EQ(formulas[4].SampleValues[1], "0,62137");
    EXPECT_EQ(formulas[5].SampleValues[0], "1,0087");
    EXPECT_EQ(formulas[6].SampleValues[0], "3,726E-8");
    EXPECT_EQ(DefaultFormula(), "5,22 - 5,44E-4 * (x - 817)");
    SetDecimalSeparator('.');
    EXPECT_EQ(DefaultFormula(), "5.22 - 5.44E-4 * (x - 817)");
}

} // namespace
