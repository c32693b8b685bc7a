// zentavo-eval: the calculator's engine on the command line. Evaluates one formula
// with NAME=VALUE bindings, or one formula over rows of values read from standard
// input, with the same number reading, result writing and error texts as the window.
// Every write is checked: output that cannot be written is an error (exit 1), never
// a success. Input that does not fit in memory is an error, not an abort.
#include <new>
#include <string>
#include <vector>

#include "cli/error_output.h"
#include "cli/eval_options.h"
#include "cli/input_lines.h"
#include "cli/output_channel.h"
#include "cli/table_rows.h"
#include "cli/terminal_text.h"
#include "mathlib/standard_table.h"
#include "platform/error_display_text.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"
#include "session/bound_formula.h"
#include "session/formula_store.h"
#include "session/solver.h"
#include "session/sweep.h"

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage: zentavo-eval [--full] [--] FORMULA [NAME=VALUE ...]\n"
    "       zentavo-eval [--full] --table NAMES FORMULA < rows\n"
    "       zentavo-eval [--full] --sweep NAME=FROM:TO:POINTS [--log] FORMULA\n"
    "                    [NAME=VALUE ...]\n"
    "       zentavo-eval [--full] --solve NAME=FROM:TO[:POINTS] [--log]\n"
    "                    [--target VALUE] FORMULA [NAME=VALUE ...]\n"
    "       zentavo-eval [--full] [--table | --sweep ... | --solve ...]\n"
    "                    --formula NAME [NAME=VALUE ...]\n"
    "       zentavo-eval --list\n"
    "       zentavo-eval --help\n";

const char* const OutOfMemory = "out of memory";

// An error of the engine as the user sees it: the "." rule, control bytes escaped.
std::string ErrorText(const Exception& error) {
    return EscapeControlBytes(ErrorDisplayText(error.Message()));
}

// Reports an error on standard error from inside a handler, where nothing may throw:
// when its text cannot be built, the reserved message for memory says what happened.
void ReportError(std::string_view prefix, const Exception& error) noexcept {
    try {
        const std::string text = ErrorText(error);
        WriteErrorLine({prefix, text});
    } catch (...) {
        WriteOutOfMemory();
    }
}

void PrintHelp(TOutputChannel& out) {
    out.Append(Usage);
    out.Append("\nEvaluates FORMULA with the calculator's engine and prints the result as the\n"
               "calculator shows it (15 significant digits; --full prints the shortest decimal\n"
               "that reads back as the same number). Numbers use the decimal separator of the\n"
               "locale (LC_ALL, LC_NUMERIC, LANG); function arguments are separated by ';'.\n"
               "With --table, NAMES is a ';'-separated list of variables; each line of standard\n"
               "input holds one value per name, separated by ';' or a tab, and gives exactly one\n"
               "line of output, in order: the result, or 'error: ' and the message (a blank line\n"
               "gives an error line too). With --sweep, the formula is computed at POINTS values\n"
               "of NAME from FROM to TO (evenly spaced, or in their logarithm with --log), the\n"
               "other variables keeping their values; each point gives a line 'x;F', or\n"
               "'x;error: ' and the message. With --solve, the values of NAME from FROM to TO\n"
               "at which FORMULA equals VALUE (default 0) are searched at POINTS samples\n"
               "(default 1001): each root gives a line 'root;x', each touching root 'touch;x',\n"
               "each pole or jump 'pole;x', then 'min;x;F' and 'max;x;F' give the smallest and\n"
               "largest F; exit status 1 when no root was found. With --formula, the formula,\n"
               "its variables and their values are those saved in the calculator under NAME\n"
               "(letter case aside); a NAME=VALUE argument replaces a saved value. --list\n"
               "prints one line 'NAME;VARIABLES;FORMULA' per saved formula. The saved\n"
               "formulas are in $XDG_DATA_HOME/zentavo/formulas.json (by default\n"
               "~/.local/share/zentavo/formulas.json); zentavo-eval never changes them.\n"
               "Control characters in messages are shown as \\xHH, a tab as \\t and a\n"
               "backslash as \\\\.\n"
               "Exit status: 0 success, 1 a formula or row failed, no root was found or the\n"
               "output could not be written, 2 usage error.\n\nConstants:\n ");
    // The names in lines of at most 80 columns.
    std::size_t column = 1;
    const auto word = [&](std::string_view name, std::string_view suffix) {
        if (column + 1 + name.size() + suffix.size() > 80) {
            out.Append("\n ");
            column = 1;
        }
        out.Append(' ');
        out.Append(name);
        out.Append(suffix);
        column += 1 + name.size() + suffix.size();
    };
    for (const auto& c : StandardConstants())
        word(c.Name, "");
    out.Append("\nFunctions:\n ");
    column = 1;
    for (const auto& f : StandardFunctions())
        word(f.Name, f.Arity == 1 ? "(x)" : "(x;y)");
    out.Append('\n');
}

std::string ResultText(double value, bool full) {
    return full ? FormatShortest(value) : FormatResult(value);
}

int RunSingle(const TEvalOptions& options, TOutputChannel& out) {
    std::vector<double> values(options.Names.size());
    const double result =
        EvaluateFormula(options.Formula, options.Names, options.ValueTexts, values);
    out.Append(ResultText(result, options.Full));
    out.Append('\n');
    return ExitSuccess;
}

// Compiles once, then binds and evaluates each row as it arrives; every input line
// gives one output line.
int RunTable(const TEvalOptions& options, TOutputChannel& out) {
    std::vector<double> values(options.Names.size());
    TBoundFormula formula(options.Formula, options.Names, values);

    std::string names;
    for (const std::string& name : options.Names)
        names += (names.empty() ? "" : ";") + name;
    bool anyFailed = false;
    auto failRow = [&](std::string_view message) {
        anyFailed = true;
        out.Append("error: ");
        out.Append(message);
        out.Append('\n');
    };
    TInputLines input(0, out);
    std::vector<std::string_view> fields;
    std::string_view line;
    for (TInputLines::TStatus status; (status = input.Next(line)) != TInputLines::TStatus::End;) {
        if (status == TInputLines::TStatus::TooLong) {
            failRow(OutOfMemory);
        } else {
            try {
                if (IsBlankRow(line)) throw ERowFieldCount("Row is blank, expected " + names);
                SplitRow(line, options.Names.size(), fields);
                for (std::size_t i = 0; i < fields.size(); ++i)
                    values[i] = ReadVariableValue(fields[i]);
                out.Append(ResultText(formula.Evaluate(), options.Full));
                out.Append('\n');
            } catch (const Exception& e) {
                // a message too large for memory makes this row "out of memory" alone
                std::string message;
                bool built = false;
                try {
                    message = ErrorText(e);
                    built = true;
                } catch (const std::bad_alloc&) {
                }
                failRow(built ? std::string_view(message) : OutOfMemory);
            } catch (const std::bad_alloc&) {
                failRow(OutOfMemory);
            }
        }
        if (out.Failed()) break;
    }
    return anyFailed ? ExitFailure : ExitSuccess;
}

// The range of --sweep or --solve; an unreadable point count raises its message.
TSweepRange RangeOf(const TEvalOptions& options) {
    return {options.SweptName, options.FromText, options.ToText,
            ReadSweepPoints(options.PointsText), options.Logarithmic};
}

// Compiles once and prints one line per point as it is computed.
int RunSweep(const TEvalOptions& options, TOutputChannel& out) {
    TSweep sweep(options.Formula, options.Names, options.ValueTexts, RangeOf(options));
    TSweepSummary summary;
    for (long i = 0; i < sweep.PointCount() && !out.Failed(); ++i) {
        const TSweepPoint point = sweep.Evaluate(i);
        summary.Add(point);
        // formatted whole first: a line the memory cannot hold is never half written
        std::string line = ResultText(point.X, options.Full);
        line += ';';
        if (point.Message.empty()) {
            line += ResultText(point.Value, options.Full);
        } else {
            line += "error: ";
            line += EscapeControlBytes(point.Message);
        }
        line += '\n';
        out.Append(line);
    }
    return summary.Failed ? ExitFailure : ExitSuccess;
}

// One line per saved formula, in name order.
int RunList(TOutputChannel& out) {
    for (const TSavedFormula& formula : TFormulaStore().Load()) {
        out.Append(
            EscapeControlBytes(formula.Name + ';' + formula.Variables + ';' + formula.Formula));
        out.Append('\n');
    }
    return ExitSuccess;
}

// The options with the saved formula of --formula bound in.
TEvalOptions WithSavedFormula(TEvalOptions options) {
    if (!options.SavedName) return options;
    const std::vector<TSavedFormula> saved = TFormulaStore().Load();
    const TSavedFormula* formula = FindSavedFormula(saved, *options.SavedName);
    if (!formula) throw EFormulaStoreError("no saved formula '" + *options.SavedName + "'");
    BindSavedFormula(options, *formula);
    return options;
}

// Solves, then prints the roots, touching roots and poles by x and the extremes.
int RunSolve(const TEvalOptions& options, TOutputChannel& out) {
    TSolver solver(options.Formula, options.Names, options.ValueTexts, RangeOf(options),
                   options.TargetText);
    solver.Run();
    const TSolution& solution = solver.Solution();
    const auto line = [&](std::string_view tag, const TSweepPoint& point, bool withValue) {
        std::string text(tag);
        text += ';';
        text += ResultText(point.X, options.Full);
        if (withValue) {
            text += ';';
            text += ResultText(point.Value, options.Full);
        }
        text += '\n';
        out.Append(text);
    };
    for (const TFinding& finding : solution.Findings)
        line(finding.Kind == TFindingKind::Root           ? "root"
             : finding.Kind == TFindingKind::TouchingRoot ? "touch"
                                                          : "pole",
             finding.Point, false);
    if (solution.Minimum) line("min", solution.Minimum->Point, true);
    if (solution.Maximum) line("max", solution.Maximum->Point, true);
    out.Flush();
    if (solution.Truncated)
        WriteErrorLine({"zentavo-eval: more than ", std::to_string(MaxListedFindings),
                        " findings; the first are listed"});
    if (solution.FailedSamples.Failed)
        WriteErrorLine({"zentavo-eval: ", std::to_string(solution.FailedSamples.Failed), " of ",
                        std::to_string(solver.Sweep().PointCount()), " samples failed: ",
                        EscapeControlBytes(solution.FailedSamples.FirstMessage)});
    if (solution.RootCount > 0) return ExitSuccess;
    WriteErrorLine({"zentavo-eval: ", RootCountText(solution, solver.Target(),
                                                    solver.Sweep().From(), solver.Sweep().To())});
    return ExitFailure;
}

int Run(const TEvalOptions& given, TOutputChannel& out) {
    try {
        const TEvalOptions options = WithSavedFormula(given);
        switch (options.Mode) {
        case TEvalOptions::TMode::Help:
            PrintHelp(out);
            return ExitSuccess;
        case TEvalOptions::TMode::List:
            return RunList(out);
        case TEvalOptions::TMode::Table:
            return RunTable(options, out);
        case TEvalOptions::TMode::Sweep:
            return RunSweep(options, out);
        case TEvalOptions::TMode::Solve:
            return RunSolve(options, out);
        case TEvalOptions::TMode::Single:
            return RunSingle(options, out);
        }
    } catch (const EFormulaStoreError& e) {
        ReportError("zentavo-eval: ", e);
    } catch (const Exception& e) {
        ReportError("", e);
    } catch (const EReadError& e) {
        WriteErrorLine({"zentavo-eval: read error: ", e.what()});
    } catch (const std::bad_alloc&) {
        WriteOutOfMemory();
    }
    return ExitFailure;
}

// Everything that can fail for want of memory, the reading of the arguments
// included, runs inside; what is already written out stays whole.
int Main(int argc, char** argv) {
    ApplySystemDecimalSeparator();
    std::string reason;
    const auto options = ParseEvalOptions(std::vector<std::string>(argv + 1, argv + argc), reason);
    if (!options) {
        WriteErrorLine({"zentavo-eval: ", EscapeControlBytes(reason), "\n", Usage});
        return ExitUsage;
    }
    TOutputChannel out(1);
    int status = Run(*options, out);
    out.Flush();
    if (out.Failed()) {
        WriteErrorLine({"zentavo-eval: write error: ", out.FailureReason()});
        status = ExitFailure;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::bad_alloc&) {
        WriteOutOfMemory();
    } catch (...) {
        WriteErrorLine({"zentavo-eval: unexpected error"});
    }
    return ExitFailure;
}
