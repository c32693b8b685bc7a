// Command-line parsing of zentavo-eval.
#include "cli/eval_options.h"

#include "session/formula_store.h"
#include "session/solver.h"
#include "session/sweep.h"
#include "session/variable_list.h"

namespace {

// NAME=FROM:TO:POINTS into the options; false when the form is wrong. Without
// :POINTS, defaultPoints is taken when given.
bool ParseSweepRange(const std::string& argument, const char* defaultPoints,
                     TEvalOptions& options) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    const std::string range = argument.substr(equals + 1);
    const auto first = range.find(':');
    if (first == std::string::npos) return false;
    const auto second = range.find(':', first + 1);
    if (second == std::string::npos ? !defaultPoints
                                    : range.find(':', second + 1) != std::string::npos)
        return false;
    options.SweptName = argument.substr(0, equals);
    options.FromText = range.substr(0, first);
    options.ToText = range.substr(first + 1, second - first - 1);
    options.PointsText = second == std::string::npos ? defaultPoints : range.substr(second + 1);
    return true;
}

} // namespace

std::optional<TEvalOptions> ParseEvalOptions(const std::vector<std::string>& arguments,
                                             std::string& reason) {
    TEvalOptions options;
    bool help = false, targetGiven = false, logGiven = false;
    // Table, sweep, solve and list exclude each other, and none comes twice: the
    // refusal names both options, whichever order they came in.
    std::string modeOption;
    const auto setMode = [&](TEvalOptions::TMode mode, const std::string& option) {
        if (!modeOption.empty()) {
            reason = modeOption == option ? option + " may be given only once"
                                          : modeOption + " and " + option + " exclude each other";
            return false;
        }
        options.Mode = mode;
        modeOption = option;
        return true;
    };
    const auto once = [&](bool given, const std::string& option) {
        if (given) reason = option + " may be given only once";
        return !given;
    };
    const std::string solvePoints = std::to_string(DefaultSolvePoints);
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") {
            ++i;
            break;
        }
        // Only the options named here are options: anything else, even "--x", is the formula.
        if (a == "--help")
            help = true;
        else if (a == "--full")
            options.Full = true;
        else if (a == "--log") {
            if (!once(logGiven, a)) return std::nullopt;
            options.Logarithmic = logGiven = true;
        } else if (a == "--table") {
            if (!setMode(TEvalOptions::TMode::Table, a)) return std::nullopt;
        } else if (a == "--sweep") {
            if (!setMode(TEvalOptions::TMode::Sweep, a)) return std::nullopt;
            if (++i == arguments.size() || !ParseSweepRange(arguments[i], nullptr, options)) {
                reason = "--sweep takes NAME=FROM:TO:POINTS";
                return std::nullopt;
            }
        } else if (a == "--solve") {
            if (!setMode(TEvalOptions::TMode::Solve, a)) return std::nullopt;
            if (++i == arguments.size() ||
                !ParseSweepRange(arguments[i], solvePoints.c_str(), options)) {
                reason = "--solve takes NAME=FROM:TO[:POINTS]";
                return std::nullopt;
            }
        } else if (a == "--list") {
            if (!setMode(TEvalOptions::TMode::List, a)) return std::nullopt;
        } else if (a == "--formula") {
            if (!once(options.SavedName.has_value(), a)) return std::nullopt;
            if (++i == arguments.size()) {
                reason = "--formula takes the name of a saved formula";
                return std::nullopt;
            }
            options.SavedName = arguments[i];
        } else if (a == "--target") {
            if (!once(targetGiven, a)) return std::nullopt;
            if (++i == arguments.size()) {
                reason = "--target takes a value";
                return std::nullopt;
            }
            options.TargetText = arguments[i];
            targetGiven = true;
        } else
            break;
    }
    if (help) {
        options.Mode = TEvalOptions::TMode::Help;
        return options;
    }
    if (targetGiven && options.Mode != TEvalOptions::TMode::Solve) {
        reason = "--target goes with --solve";
        return std::nullopt;
    }
    if (logGiven && options.Mode != TEvalOptions::TMode::Sweep &&
        options.Mode != TEvalOptions::TMode::Solve) {
        reason = "--log goes with --sweep or --solve";
        return std::nullopt;
    }

    std::vector<std::string> operands(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                                      arguments.end());
    if (options.Mode == TEvalOptions::TMode::List) {
        if (options.SavedName || !operands.empty()) {
            reason = "--list takes nothing more";
            return std::nullopt;
        }
        return options;
    }
    if (options.Mode == TEvalOptions::TMode::Table && options.SavedName) {
        if (!operands.empty()) {
            reason = "--table with --formula takes no names and no formula";
            return std::nullopt;
        }
        return options;
    }
    if (options.Mode == TEvalOptions::TMode::Table) {
        if (operands.size() != 2) {
            reason = "--table takes the variable names and the formula";
            return std::nullopt;
        }
        options.Names = ParseVariableList(operands[0]);
        options.Formula = operands[1];
        return options;
    }

    if (operands.empty() && !options.SavedName) {
        reason = "no formula given";
        return std::nullopt;
    }
    const std::size_t firstBinding = options.SavedName ? 0 : 1;
    if (!options.SavedName) options.Formula = operands[0];
    for (std::size_t k = firstBinding; k < operands.size(); ++k) {
        const std::string& binding = operands[k];
        const auto equals = binding.find('=');
        if (equals == std::string::npos || equals == 0) {
            reason = "'" + binding + "' is not of the form NAME=VALUE";
            return std::nullopt;
        }
        options.Names.push_back(binding.substr(0, equals));
        options.ValueTexts.push_back(binding.substr(equals + 1));
    }
    // The swept variable is declared by the sweep itself (a binding of it is ignored).
    if (options.Mode == TEvalOptions::TMode::Sweep || options.Mode == TEvalOptions::TMode::Solve) {
        bool bound = false;
        for (const std::string& name : options.Names)
            bound = bound || SameVariableName(name, options.SweptName);
        if (!bound) {
            options.Names.push_back(options.SweptName);
            options.ValueTexts.push_back(options.FromText);
        }
    }
    return options;
}

void BindSavedFormula(TEvalOptions& options, const TSavedFormula& saved) {
    std::vector<std::string> names, values;
    BindSavedFormula(saved, names, values);
    options.Formula = saved.Formula;
    if (options.Mode == TEvalOptions::TMode::Table) {
        options.Names = std::move(names);
        return;
    }
    for (std::size_t k = 0; k < options.Names.size(); ++k) {
        std::size_t i = 0;
        while (i < names.size() && !SameVariableName(names[i], options.Names[k]))
            ++i;
        if (i == names.size()) {
            names.push_back(options.Names[k]);
            values.push_back(options.ValueTexts[k]);
        } else {
            values[i] = options.ValueTexts[k];
        }
    }
    options.Names = std::move(names);
    options.ValueTexts = std::move(values);
}
