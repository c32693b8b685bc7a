// The documentation text against the program: every built-in constant and function
// of the standard table is described, with the value formulas see, and every
// example and error message that the text quotes is what the program gives.
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

#include "app/dialogs/helper_form.h"
#include "mathlib/standard_table.h"
#include "mathlib/tests/standard_table_lookup.h"
#include "platform/error_display_text.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"
#include "session/bound_formula.h"
#include "session/solver.h"
#include "session/sweep.h"

namespace {

// The lines of the section that starts with the given heading line, up to the next
// empty line.
QStringList Section(const QString& heading) {
    const QStringList lines = DocumentationText().split('\n');
    const qsizetype start = lines.indexOf(heading);
    if (start < 0) {
        ADD_FAILURE() << "no section " << heading.toStdString();
        return {};
    }
    QStringList section;
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].trimmed().isEmpty(); ++i)
        section << lines[i];
    return section;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Name and value text of each "Name = value: meaning" line of a constants section.
std::vector<std::pair<std::string, std::string>> ConstantLines(const QString& heading) {
    static const QRegularExpression entry(QStringLiteral("^(\\w+) = ([^ :]+): \\S"));
    std::vector<std::pair<std::string, std::string>> found;
    for (const QString& line : Section(heading)) {
        const QRegularExpressionMatch m = entry.match(line);
        if (m.hasMatch())
            found.emplace_back(Lower(m.captured(1).toStdString()), m.captured(2).toStdString());
    }
    return found;
}

class DocumentationTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

// The two lists hold exactly the table's constants (the first 33 are mathematical,
// the other 16 physical), and each printed value reads back as the table's double.
TEST_F(DocumentationTest, ConstantListsMatchTheStandardTable) {
    const auto table = StandardConstants();
    ASSERT_EQ(table.size(), 49u);
    const std::vector<std::pair<const char*, std::span<const TStandardConstant>>> sections = {
        {"Constants:{Mathematical constants}", table.subspan(0, 33)},
        {"Constants:{Certain physical constants expressed in SI units}", table.subspan(33)},
    };
    for (const auto& [heading, expected] : sections) {
        SCOPED_TRACE(heading);
        const auto printed = ConstantLines(heading);
        EXPECT_EQ(printed.size(), expected.size());
        std::set<std::string> names;
        for (const auto& [name, valueText] : printed) {
            SCOPED_TRACE(name);
            EXPECT_TRUE(names.insert(name).second) << "listed twice";
            const TStandardConstant* constant = FindStandardConstant(name);
            ASSERT_NE(constant, nullptr) << "not a built-in constant";
            EXPECT_NE(std::find_if(expected.begin(), expected.end(),
                                   [&](const TStandardConstant& c) { return &c == constant; }),
                      expected.end())
                << "listed in the wrong section";
            EXPECT_EQ(ReadValueText(valueText), NarrowToDouble(constant->Value))
                << valueText << " is not the value formulas see";
        }
    }
}

// One description line "Name(arguments): ..." per built-in function, with as many
// arguments as the function takes, and nothing else.
TEST_F(DocumentationTest, EveryFunctionIsDescribedOnceWithItsArguments) {
    static const QRegularExpression entry(QStringLiteral("^(\\w+)\\(([^)]*)\\): \\S"));
    std::set<std::string> described;
    for (const QString& line : Section("Functions and their descriptions")) {
        const QRegularExpressionMatch m = entry.match(line);
        if (!m.hasMatch()) continue;
        const std::string name = Lower(m.captured(1).toStdString());
        SCOPED_TRACE(name);
        const TStandardFunction* function = FindStandardFunction(name);
        ASSERT_NE(function, nullptr) << "not a built-in function";
        EXPECT_TRUE(described.insert(name).second) << "described twice";
        EXPECT_EQ(m.captured(2).split(';').size(), function->Arity);
    }
    EXPECT_EQ(described.size(), StandardFunctions().size());
    const QStringList section = Section("Functions and their descriptions");
    EXPECT_TRUE(section.filter(QRegularExpression("^Pi: ")).size() == 1);
    EXPECT_TRUE(section.filter(QRegularExpression("^Deg: ")).size() == 1);
}

// The grouped list of the formula syntax names every function exactly once.
TEST_F(DocumentationTest, TheSyntaxSectionListsEveryFunctionInItsGroup) {
    const QString groups =
        Section("The formula syntax.")
            .filter(QRegularExpression("^(Algebraic|Transcendental|Trigonometric|Other Trig|"
                                       "Hyperbolic|Other Hyp|Miscellaneous): "))
            .join('\n');
    EXPECT_EQ(groups.count('\n'), 6) << "seven groups";
    for (const TStandardFunction& function : StandardFunctions()) {
        SCOPED_TRACE(std::string(function.Name));
        const QString pattern =
            QStringLiteral("[ ,:]%1(\\([^)]*\\))?[,.]")
                .arg(QString::fromLatin1(function.Name.data(), qsizetype(function.Name.size())));
        EXPECT_EQ(
            groups.count(QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption)),
            1);
    }
}

// What the program shows for a formula: the result as the result box writes it, or
// the error message as the error display writes it.
QString Shown(const std::string& formula,
              const std::vector<std::pair<std::string, std::string>>& variables = {}) {
    try {
        std::vector<std::string> names, texts;
        for (const auto& [name, text] : variables) {
            names.push_back(name);
            texts.push_back(text);
        }
        std::vector<double> values(variables.size());
        return QString::fromStdString(FormatResult(EvaluateFormula(formula, names, texts, values)));
    } catch (const Exception& error) {
        return QString::fromStdString(ErrorDisplayText(error.what()));
    }
}

QString Value(double value) {
    return QString::fromStdString(FormatResult(value));
}

struct TClaim {
    const char* Rule;
    std::string Formula;
    std::vector<std::pair<std::string, std::string>> Variables;
    QString Expected;    // what the program shows
    bool Quoted = false; // the text quotes the formula and what it shows word for word
};

// Each claim of the text, run through the program. Quoted claims must also appear
// in the text, so that a change of the wording is checked again.
TEST_F(DocumentationTest, EveryExampleAndMessageOfTheTextIsWhatTheProgramShows) {
    using std::numbers::pi;
    const QString domain = "Domain check failure in Quorvex.";
    const QString overflow = "Floating point overflow.";
    const QString zeroDivide = "Floating point division by zero.";
    const QString invalid = "Invalid floating point operation.";
    const std::string deeply(1001, '(');
    const std::vector<TClaim> claims = {
        {"the start-up formula", "5.22 - 5.44E-4 * (x - 817)", {{"x", "2"}}, "5.66336", true},
        {"text after an expression is a comment", "2*3 area of the floor", {}, "6", true},
        {"Power raises to a power", "Power(2;10)", {}, "1024", true},
        {"^ is not an operator: it ends the formula", "2^10", {}, "2", true},
        {"Deg turns degrees into radians", "Sin(30/Deg)", {}, "0.5", true},
        {"Deg turns radians into degrees", "ArcTan(1)*Deg", {}, "45", true},
        {"multiplication before addition", "2 + 3 * 4", {}, "14", true},
        {"brackets first", "(2 + 3) * 4", {}, "20", true},
        {"division and multiplication from left to right", "8 / 2 * 4", {}, "16", true},
        {"brackets change the order", "8 / (2 * 4)", {}, "1", true},
        {"subtraction from left to right", "10 - 4 - 3", {}, "3", true},
        {"addition before comparison", "2 = 1 + 1", {}, "1", true},
        {"a sign binds before multiplication", "-2*3", {}, "-6"},
        {"a sign may follow an operator", "2--3", {}, "5"},
        {"a false comparison is 0", "(x > 0) * x", {{"x", "-3"}}, "0"},
        {"a true comparison is 1", "(x > 0) * x", {{"x", "4"}}, "4"},
        {"names ignore case", "PI - pi + SIN(0) + pI", {}, Value(pi)},
        {"an exponent in a number", "5.44E-4", {}, "0.000544"},
        {"an exponent in a number", "2E3", {}, "2000"},
        {"a number cannot begin with the separator", ".5", {}, "Parse error: Factor expected."},
        {"a grid value may begin with the separator", "x", {{"x", ".5"}}, "0.5"},
        {"a comma ends the formula under the period setting", "2,5", {}, "2"},
        {"compound interest",
         "P*Power(1 + r/100;n)",
         {{"P", "1000"}, {"r", "5"}, {"n", "10"}},
         "1628.89462677744",
         true},
        {"Gibbs energy",
         "H - T*S",
         {{"H", "-285830"}, {"T", "298.15"}, {"S", "-163.2"}},
         "-237171.92",
         true},
        {"a variable hides the built-in name", "Gas", {{"Gas", "2"}}, "2"},
        {"LogBase10", "LogBase10(1000)", {}, "3", true},
        {"LogBase2", "LogBase2(8)", {}, "3", true},
        {"LogBaseN", "LogBaseN(4;16)", {}, "2", true},
        {"Power of 0 to 0", "Power(0;0)", {}, "1"},
        {"Power of a negative base, odd", "Power(-2;3)", {}, "-8", true},
        {"Power of a negative base, even", "Power(-2;2)", {}, "4", true},
        {"Pythag", "Pythag(3;4)", {}, "5", true},
        {"Pythag does not overflow", "Pythag(1E300;1E300)", {}, "1.4142135623731E300", true},
        {"Sin of a huge argument", "Sin(1E22)", {}, "-0.852200849767189"},
        {"ArcTan(1) is pi/4", "ArcTan(1)", {}, Value(pi / 4)},
        {"ArcCot(-1) is -pi/4", "ArcCot(-1)", {}, Value(-pi / 4)},
        {"ArcSec(2) is pi/3", "ArcSec(2)", {}, Value(pi / 3)},
        {"ArcSec(-2) is 2pi/3", "ArcSec(-2)", {}, Value(2 * pi / 3)},
        {"ArcSec(-1) is pi", "ArcSec(-1)", {}, Value(pi)},
        {"ArcCsc(2) is pi/6", "ArcCsc(2)", {}, Value(pi / 6)},
        {"ArcCsc(-2) is -pi/6", "ArcCsc(-2)", {}, Value(-pi / 6)},
        {"ArcCsc(1) is pi/2", "ArcCsc(1)", {}, Value(pi / 2)},
        {"ArcTan2(1;0) is pi/2", "ArcTan2(1;0)", {}, Value(pi / 2)},
        {"ArcTan2(0;-1) is pi", "ArcTan2(0;-1)", {}, Value(pi)},
        {"ArcTan2(0;0) is 0", "ArcTan2(0;0)", {}, "0"},
        {"SecH(0) is 1", "SecH(0)", {}, "1"},
        {"SecH of a huge argument is 0", "SecH(20000)", {}, "0"},
        {"CscH of a huge argument is 0", "CscH(-20000)", {}, "0"},
        {"TanH reaches 1", "TanH(20)", {}, "1"},
        {"Exp far below zero is 0", "Exp(-746)", {}, "0"},
        {"a result below the double range is 0", "1E-300 * 1E-30", {}, "0"},
        {"nesting of 1000 levels compiles",
         std::string(1000, '(') + "7" + std::string(1000, ')'),
         {},
         "7"},
        {"deeper nesting is refused",
         deeply + "7" + std::string(1001, ')'),
         {},
         "Parse error: Expression nested too deeply.",
         false},
        {"a result beyond the double range", "1E308*10", {}, overflow},
        {"Square overflows", "Square(1E200)", {}, overflow},
        {"Exp overflows", "Exp(710)", {}, overflow},
        {"SinH overflows for either sign", "SinH(-711)", {}, overflow},
        {"CosH overflows", "CosH(711)", {}, overflow},
        {"Sqrt of a negative number", "Sqrt(-1)", {}, invalid},
        {"0/0", "0/0", {}, invalid},
        {"1/0", "1/0", {}, zeroDivide},
        {"Ln(0)", "Ln(0)", {}, zeroDivide},
        {"Ln of a negative number", "Ln(-1)", {}, invalid},
        {"LogBase10(0)", "LogBase10(0)", {}, domain},
        {"LogBase2 of a negative number", "LogBase2(-1)", {}, domain},
        {"LogBaseN with base 1", "LogBaseN(1;5)", {}, domain},
        {"LogBaseN of 0", "LogBaseN(2;0)", {}, domain},
        {"Sin has no limit", "Sin(1E19) <= 1", {}, "1"},
        {"Tan beyond 2^63", "Tan(1E19)", {}, domain},
        {"Tan at 2^63", "Abs(Tan(TwoToPower63)) >= 0", {}, "1"},
        {"Cot(0)", "Cot(0)", {}, zeroDivide},
        {"Sec beyond 2^63", "Sec(-1E19)", {}, domain},
        {"Csc(0)", "Csc(0)", {}, domain},
        {"Versine beyond 2^63", "Versine(1E19)", {}, domain},
        {"Exsecans beyond 2^63", "Exsecans(1E19)", {}, domain},
        {"ArcSin beyond 1", "ArcSin(1.0000001)", {}, domain},
        {"ArcCos beyond -1", "ArcCos(-2)", {}, domain},
        {"ArcCot(0)", "ArcCot(0)", {}, domain},
        {"ArcSec below 1", "ArcSec(0.5)", {}, invalid},
        {"ArcCsc below 1", "ArcCsc(-0.5)", {}, invalid},
        {"CotH(0)", "CotH(0)", {}, zeroDivide},
        {"CscH(0)", "CscH(0)", {}, domain},
        {"ArcCosH below 1", "ArcCosH(0.5)", {}, domain},
        {"ArcCosH(1)", "ArcCosH(1)", {}, "0"},
        {"ArcTanH at 1", "ArcTanH(1)", {}, domain},
        {"ArcCotH at 1", "ArcCotH(-1)", {}, domain},
        {"ArcCotH below 1", "ArcCotH(0.5)", {}, invalid},
        {"ArcSecH beyond 1", "ArcSecH(2)", {}, domain},
        {"ArcSecH(0)", "ArcSecH(0)", {}, zeroDivide},
        {"ArcSecH of a negative number", "ArcSecH(-0.5)", {}, invalid},
        {"ArcCscH(0)", "ArcCscH(0)", {}, domain},
        {"ArcCscH has the sign of x", "ArcCscH(-1) < 0", {}, "1"},
        {"Power of 0 to a negative exponent",
         "Power(0;-2)",
         {},
         "Power function: Result is infinite."},
        {"Power of a negative base to a fraction",
         "Power(-8;0.5)",
         {},
         "Power function: Result is complex."},
        {"an unknown name", "foo", {}, "Parse error: Unknown symbol: 'foo'", true},
        {"there is no constant e", "e", {}, "Parse error: Unknown symbol: 'e'"},
        {"there is no function log10", "log10(2)", {}, "Parse error: Unknown symbol: 'log10'"},
        {"a missing operand", "2+", {}, "Parse error: Factor expected."},
        {"an unclosed bracket", "(1+2", {}, "Parse error: ')' expected."},
        {"a function without brackets",
         "Sin 1",
         {},
         "Parse error: '(' and function's first parameter expected."},
        {"a missing second argument",
         "Power(2)",
         {},
         "Parse error: ';' and another parameter expected."},
        {"an argument too many",
         "Sin(1;2)",
         {},
         "Parse error: ')' to close function's parameters expected."},
        {"x and X are one name", "x", {{"x", "1"}, {"X", "2"}}, "Duplicate hash list entry: X."},
        {"an empty formula", "", {}, "List index out of bounds (0)"},
    };
    const QString text = DocumentationText();
    for (const TClaim& claim : claims) {
        SCOPED_TRACE(claim.Rule);
        EXPECT_EQ(Shown(claim.Formula, claim.Variables), claim.Expected) << claim.Formula;
        if (claim.Quoted) {
            EXPECT_TRUE(text.contains(QString::fromStdString(claim.Formula)) &&
                        text.contains(claim.Expected))
                << "the text no longer quotes " << claim.Formula;
        }
        if (claim.Expected.endsWith('.') && !claim.Expected.startsWith("Power")) {
            EXPECT_TRUE(text.contains(claim.Expected))
                << "the text does not quote the message " << claim.Expected.toStdString();
        }
    }
}

// The background section of the predefined formulas states their sample results
// rounded ("about 709.13"): the program's result rounds to what the text says.
TEST_F(DocumentationTest, TheSampleResultsOfThePredefinedFormulasAreThoseTheTextStates) {
    const std::string monthly = "((c/100)/12)";
    const std::string growth = "Power((1+" + monthly + ");n)";
    struct TSample {
        const char* Rule;
        std::string Formula;
        std::vector<std::pair<std::string, std::string>> Variables;
        std::string Stated; // as the text writes it after "about" or "gives"
    };
    const std::vector<TSample> samples = {
        {"fixed monthly payment",
         "L*(" + monthly + "*" + growth + ")/(" + growth + "-1)",
         {{"L", "16000"}, {"c", "6"}, {"n", "24"}},
         "709.13"},
        {"remaining loan balance",
         "L*(" + growth + " - Power((1+" + monthly + ");p))/(" + growth + "-1)",
         {{"L", "16000"}, {"c", "6"}, {"n", "24"}, {"p", "15"}},
         "6225.50"},
        {"future value of a single sum",
         "S*" + growth,
         {{"S", "1000"}, {"c", "6"}, {"n", "48"}},
         "1270.49"},
        {"future value of payments",
         "P*(" + growth + "-1)/" + monthly,
         {{"P", "200"}, {"c", "6"}, {"n", "72"}},
         "17281.77"},
        {"unit conversion",
         "baseunit * multiplyingfactor",
         {{"BaseUnit", "100"}, {"MultiplyingFactor", "0.62137"}},
         "62.137"},
        {"isothermal compression",
         "m*Gas*T/V",
         {{"m", "1.0087"}, {"T", "273"}, {"V", "100"}},
         "22.8958"},
        {"self-diffusion",
         "A*Exp(-Q/(Gas*T))",
         {{"A", "3.726E-8"}, {"Q", "185999"}, {"T", "1141"}},
         "1.1386E-16"},
    };
    const QString text = DocumentationText();
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.Rule);
        EXPECT_TRUE(text.contains(QString::fromStdString(sample.Formula)))
            << "the text does not give the formula " << sample.Formula;
        const QString stated = QString::fromStdString(sample.Stated);
        EXPECT_TRUE(text.contains("about " + stated) || text.contains("gives " + stated));
        // Half a unit of the last digit stated.
        const qsizetype e = stated.indexOf('E');
        const QString mantissa = e < 0 ? stated : stated.left(e);
        const int decimals = int(mantissa.size() - mantissa.indexOf('.') - 1);
        const int exponent = e < 0 ? 0 : stated.mid(e + 1).toInt();
        const double tolerance = 0.5 * std::pow(10.0, exponent - decimals);
        const QString shown = Shown(sample.Formula, sample.Variables);
        const double value = ReadValueText(shown.toStdString());
        EXPECT_LE(std::abs(value - ReadValueText(sample.Stated)), tolerance)
            << "the program shows " << shown.toStdString();
    }
}

// Under the comma setting the text's comma example computes, and a period is refused
// with the message the text quotes.
TEST_F(DocumentationTest, TheDecimalSeparatorExamplesHoldUnderTheCommaSetting) {
    SetDecimalSeparator(',');
    const QString text = DocumentationText();
    EXPECT_TRUE(text.contains("5,22 - 5,44E-4 * (x - 817)"));
    EXPECT_EQ(Shown("5,22 - 5,44E-4 * (x - 817)", {{"x", "2"}}), "5,66336");
    EXPECT_EQ(Shown("2.5"), "'2.5' is not a valid floating point value.");
    EXPECT_TRUE(text.contains("'2.5' is not a valid floating point value."));
}

// The sweep section's example and messages are what a sweep gives.
TEST_F(DocumentationTest, TheSweepSectionIsWhatTheSweepDoes) {
    const QString text = DocumentationText();
    const std::vector<std::string> names{"x"}, values{"2"};
    TSweep sweep("ln(x)", names, values, {"x", "-1", "1", 5, false});
    TSweepSummary summary;
    for (long i = 0; i < sweep.PointCount(); ++i)
        summary.Add(sweep.Evaluate(i));
    const QString status = QStringLiteral("\"%1 of 5 points failed: %2\"")
                               .arg(summary.Failed)
                               .arg(QString::fromStdString(summary.FirstMessage));
    EXPECT_TRUE(text.contains(status)) << status.toStdString();
    for (const std::string& message :
         {std::string(SweepMessages::SameEnds), std::string(SweepMessages::LogarithmicRange),
          std::string(SweepMessages::PointCount), FormatMessage(SweepMessages::NotDeclared, "y")})
        EXPECT_TRUE(text.contains(QString::fromStdString('"' + ErrorDisplayText(message) + '"')))
            << message;
}

// The solving section's examples are what the solver finds.
TEST_F(DocumentationTest, TheSolvingSectionIsWhatTheSolverFinds) {
    const QString text = DocumentationText();
    const std::vector<std::string> x{"x"}, two{"2"};
    const auto solve = [&](const char* formula, const char* from, const char* to) {
        TSolver solver(formula, x, two, {"x", from, to, DefaultSolvePoints, false}, "0");
        solver.Run();
        return solver.Solution();
    };
    const TSolution sine = solve("sin(x)", "-10", "10");
    EXPECT_TRUE(text.contains(QString::fromStdString('"' + RootCountText(sine, 0, -10, 10) + '"')));
    const TSolution pair = solve("(x-1)*(x-1.000001)", "0", "2");
    ASSERT_EQ(pair.RootCount, 2);
    EXPECT_EQ(pair.Findings[1].Point.X, 1.000001);
    EXPECT_EQ(solve("(x-1)*(x-1)", "0", "3").Findings.at(0).Kind, TFindingKind::TouchingRoot);
    EXPECT_EQ(solve("tan(x)", "1", "2").Findings.at(0).Kind, TFindingKind::PoleOrJump);
    EXPECT_TRUE(text.contains(
        QString::fromStdString(RootCountText(solve("x*x+1", "-1", "1"), 0, -1, 1)).mid(1)));

    const std::vector<std::string> names{"L", "c", "n"}, values{"20000", "6", "48"};
    const char* const payment =
        "L*(((c/100)/12)*power((1+((c/100)/12));n))/(power((1+((c/100)/12));n)-1)";
    TSolver rate(payment, names, values, {"c", "0.1", "30", DefaultSolvePoints, false}, "500");
    rate.Run();
    EXPECT_NEAR(rate.Solution().Findings.at(0).Point.X, 9.2418, 5e-5);
    EXPECT_TRUE(text.contains("about 9.2418"));
}

} // namespace
