// Command-line parsing of zentavo-eval.
#include "cli/eval_options.h"

#include "session/variable_list.h"

std::optional<TEvalOptions> ParseEvalOptions(const std::vector<std::string>& arguments,
                                             std::string& reason) {
    TEvalOptions options;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") {
            ++i;
            break;
        }
        // Only the three options are options: anything else, even "--x", is the formula.
        if (a == "--help")
            options.Mode = TEvalOptions::TMode::Help;
        else if (a == "--full")
            options.Full = true;
        else if (a == "--table") {
            if (options.Mode != TEvalOptions::TMode::Help)
                options.Mode = TEvalOptions::TMode::Table;
        } else
            break;
    }
    if (options.Mode == TEvalOptions::TMode::Help) return options;

    std::vector<std::string> operands(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                                      arguments.end());
    if (options.Mode == TEvalOptions::TMode::Table) {
        if (operands.size() != 2) {
            reason = "--table takes the variable names and the formula";
            return std::nullopt;
        }
        options.Names = ParseVariableList(operands[0]);
        options.Formula = operands[1];
        return options;
    }

    if (operands.empty()) {
        reason = "no formula given";
        return std::nullopt;
    }
    options.Formula = operands[0];
    for (std::size_t k = 1; k < operands.size(); ++k) {
        const std::string& binding = operands[k];
        const auto equals = binding.find('=');
        if (equals == std::string::npos || equals == 0) {
            reason = "'" + binding + "' is not of the form NAME=VALUE";
            return std::nullopt;
        }
        options.Names.push_back(binding.substr(0, equals));
        options.ValueTexts.push_back(binding.substr(equals + 1));
    }
    return options;
}
