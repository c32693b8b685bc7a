// Reading and writing numbers in the user's notation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "platform/number_text.h"
#include "platform/tests/separator_scope.h"

namespace {

struct FormatCase {
    const char* rule;
    double value;
    const char* text;
};

TEST(FormatResult, FifteenDigitsFixedOrScientific) {
    const FormatCase cases[] = {
        {"plain value stays", 5.66336, "5.66336"},
        {"integer without separator", 1500, "1500"},
        {"small fixed down to 1E-4", 0.00012, "0.00012"},
        {"1E-4 itself is fixed", 0.0001, "0.0001"},
        {"below 1E-4 is scientific", 0.00001, "1E-5"},
        {"1E15 is scientific", 1e15, "1E15"},
        {"largest fixed", 123456789012345.0, "123456789012345"},
        {"rounded to 15 digits", 1.0 / 3.0, "0.333333333333333"},
        {"rounding up", 2.0 / 3.0, "0.666666666666667"},
        {"negative scientific", -2.5e-7, "-2.5E-7"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"rounding carries into a new digit", 999999999999999.9, "1E15"},
        {"trailing zeros dropped", 2.50, "2.5"},
        {"largest double", 1.7976931348623157e308, "1.79769313486232E308"},
        {"subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
        {"negative fixed", -45.0, "-45"},
        {"0.1 shows its 15 digits", 0.1, "0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatResult(c.value), c.text) << c.rule;
}

TEST(FormatResult, NonFiniteValuesGetAText) {
    const double inf = std::numeric_limits<double>::infinity();
    for (auto format : {FormatResult, FormatShortest}) {
        EXPECT_EQ(format(inf), "INF");
        EXPECT_EQ(format(-inf), "-INF");
        EXPECT_EQ(format(std::numeric_limits<double>::quiet_NaN()), "NaN");
    }
}

TEST(FormatResult, UsesRegionalSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(FormatResult(5.66336), "5,66336");
    EXPECT_EQ(FormatResult(-2.5e-7), "-2,5E-7");
}

TEST(FormatShortest, RoundTripsExactly) {
    const double values[] = {0.1,
                             1.0 / 3.0,
                             5.66336,
                             1e-300,
                             1.7976931348623157e308,
                             -2.5e-7,
                             123456789012345.67,
                             4.9406564584124654e-324};
    for (double v : values)
        EXPECT_EQ(ReadValueText(FormatShortest(v)), v) << FormatShortest(v);
    EXPECT_EQ(FormatShortest(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(FormatShortest(0.1), "0.1");
}

struct ReadCase {
    const char* text;
    double value;
};

TEST(ReadValueText, AcceptedForms) {
    const ReadCase cases[] = {
        {"2", 2},
        {" 2 ", 2},
        {"-2.5", -2.5},
        {"+3", 3},
        {"1e3", 1000},
        {"1E-3", 0.001},
        {"2.e3", 2000},
        {"5.", 5},
        {".5", 0.5},
        {"1e", 1},
        {"1E+", 1},
        {"1E-400", 0},
        {"  -1.5E+2  ", -150},
        {"0.62137", 0.62137},
        {"3.726E-8", 3.726e-8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadValueText(c.text), c.value) << c.text;
}

TEST(ReadValueText, RejectedFormsNameTheTextAsTyped) {
    const char* texts[] = {"",       "abc",  "1,5",   "1.5.",   "--1",
                           "1 5",    "\t1",  "E5",    "1e5000", "1e99999999999999999999",
                           "1E4940", "0x10", "1_000", "+",      "- 1"};
    for (const char* t : texts) {
        try {
            ReadValueText(t);
            ADD_FAILURE() << "accepted: " << t;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(t) + "' is not a valid floating point value");
        }
    }
}

TEST(ReadValueText, BeyondDoubleButWithinExtendedOverflows) {
    EXPECT_THROW(ReadValueText("1E400"), EOverflow);
    EXPECT_EQ(TextToExtended("1E400"), 1e400L);
}

// One rounding from the decimal to the double: the shortest text of any double reads
// back as that double, and any decimal reads as strtod reads it.
TEST(ReadValueText, ReadsTheNearestDouble) {
    EXPECT_EQ(ReadValueText("6.818961358158385"), 6.818961358158385);
    EXPECT_EQ(ReadValueText("2.4703282292062328E-324"), 5e-324) << "just above the tie";
    EXPECT_EQ(ReadValueText("2.4703282292062327E-324"), 0.0) << "just below the tie";
    std::mt19937_64 random(7);
    int differ = 0;
    for (int i = 0; i < 100000; ++i) {
        double value;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        differ += ReadValueText(FormatShortest(value)) != value;
        char decimal[40];
        std::snprintf(decimal, sizeof decimal, "%.*e", static_cast<int>(random() % 25), value);
        const double expected = std::strtod(decimal, nullptr); // fewer digits may overflow
        if (std::isinf(expected))
            EXPECT_THROW(ReadValueText(decimal), EOverflow) << decimal;
        else
            differ += ReadValueText(decimal) != expected;
    }
    EXPECT_EQ(differ, 0);
}

TEST(ReadValueText, CommaSeparatorRejectsPoint) {
    SeparatorScope comma(',');
    EXPECT_EQ(ReadValueText("2,5"), 2.5);
    EXPECT_THROW(ReadValueText("2.5"), EConvertError);
}

} // namespace
