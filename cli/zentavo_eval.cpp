// zentavo-eval: the calculator's engine on the command line. Evaluates one formula
// with NAME=VALUE bindings, or one formula over rows of values read from standard
// input, with the same number reading, result writing and error texts as the window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/eval_options.h"
#include "cli/table_rows.h"
#include "mathlib/standard_table.h"
#include "platform/error_display_text.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"
#include "session/formula_evaluation.h"

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage = "usage: zentavo-eval [--full] [--] FORMULA [NAME=VALUE ...]\n"
                          "       zentavo-eval [--full] --table NAMES FORMULA < rows\n"
                          "       zentavo-eval --help\n";

void PrintHelp() {
    std::cout
        << Usage
        << "\nEvaluates FORMULA with the calculator's engine and prints the result as the\n"
           "calculator shows it (15 significant digits; --full prints the shortest decimal\n"
           "that reads back as the same number). Numbers use the decimal separator of the\n"
           "locale (LC_ALL, LC_NUMERIC, LANG); function arguments are separated by ';'.\n"
           "With --table, NAMES is a ';'-separated list of variables; each line of standard\n"
           "input holds one value per name, separated by ';' or a tab, and gives one line of\n"
           "output: the result, or 'error: ' and the message. Exit status: 0 success, 1 a\n"
           "formula or row failed, 2 usage error.\n\nConstants:\n ";
    for (const auto& c : StandardConstants())
        std::cout << ' ' << c.Name;
    std::cout << "\nFunctions:\n ";
    for (const auto& f : StandardFunctions())
        std::cout << ' ' << f.Name << (f.Arity == 1 ? "(x)" : "(x;y)");
    std::cout << '\n';
}

std::string ResultText(double value, bool full) {
    return full ? FormatShortest(value) : FormatResult(value);
}

int RunSingle(const TEvalOptions& options) {
    std::vector<double> values(options.Names.size());
    const double result =
        EvaluateFormula(options.Formula, options.Names, options.ValueTexts, values);
    std::cout << ResultText(result, options.Full) << '\n';
    return ExitSuccess;
}

// Compiles once, then binds and evaluates each row as it arrives.
int RunTable(const TEvalOptions& options) {
    std::vector<double> values(options.Names.size());
    auto evaluator = MakeFormulaEvaluator();
    for (std::size_t i = 0; i < options.Names.size(); ++i)
        evaluator->DefineVariable(options.Names[i], &values[i]);
    evaluator->CompileExpression(options.Formula);

    bool anyFailed = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (IsBlankRow(line)) continue;
        try {
            const std::vector<std::string> fields = SplitRow(line, options.Names.size());
            for (std::size_t i = 0; i < fields.size(); ++i)
                values[i] = ReadVariableValue(fields[i]);
            std::cout << ResultText(evaluator->EvaluateExpression(), options.Full) << std::endl;
        } catch (const Exception& e) {
            anyFailed = true;
            std::cout << "error: " << ErrorDisplayText(e.what()) << std::endl;
        }
    }
    return anyFailed ? ExitFailure : ExitSuccess;
}

} // namespace

int main(int argc, char** argv) {
    ApplySystemDecimalSeparator();
    std::string reason;
    const auto options = ParseEvalOptions(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (!options) {
        std::cerr << "zentavo-eval: " << reason << '\n' << Usage;
        return ExitUsage;
    }
    try {
        switch (options->Mode) {
        case TEvalOptions::TMode::Help:
            PrintHelp();
            return ExitSuccess;
        case TEvalOptions::TMode::Table:
            return RunTable(*options);
        case TEvalOptions::TMode::Single:
            return RunSingle(*options);
        }
    } catch (const Exception& e) {
        std::cerr << ErrorDisplayText(e.what()) << '\n';
    }
    return ExitFailure;
}
