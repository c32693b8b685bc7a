// The command line of zentavo-eval: which mode, the formula, and the variables.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TEvalOptions {
    enum class TMode { Single, Table, Sweep, Solve, List, Help };
    TMode Mode = TMode::Single;
    bool Full = false; // shortest round-trip digits instead of 15
    std::string Formula;
    std::vector<std::string> Names;      // Single: from NAME=VALUE; Table: from NAMES
    std::vector<std::string> ValueTexts; // Single and Sweep, one per name
    // Sweep and Solve: NAME=FROM:TO:POINTS (Solve: :POINTS may be left out) and
    // --log; the swept name is among Names.
    std::string SweptName, FromText, ToText, PointsText;
    bool Logarithmic = false;
    std::string TargetText = "0"; // Solve: --target VALUE
    // --formula NAME: the formula and its variables come from the saved formulas,
    // and Names/ValueTexts hold only the NAME=VALUE arguments that override them.
    std::optional<std::string> SavedName;
};

struct TSavedFormula;

// Takes the formula, the names and the value texts from the saved formula; each
// NAME=VALUE argument of the options replaces the saved value of its name (or adds
// the name). Table takes the saved names only.
void BindSavedFormula(TEvalOptions& options, const TSavedFormula& saved);

// Parses the arguments (without the program name). Options (--full, --table,
// --sweep NAME=FROM:TO:POINTS, --solve NAME=FROM:TO[:POINTS], --target VALUE, --log,
// --formula NAME, --list, --help) come first; "--" ends them, and the first argument that is not
// one of them is the formula, even when it begins with "-" (such as "-x*2" or "--x"). At most one
// of --table, --sweep, --solve and --list, no option that takes a value twice, --log
// only with --sweep or --solve, --target only with --solve. With --formula the operands are only
// NAME=VALUE (none with --table). Returns nothing and sets the reason when the
// command line is malformed.
std::optional<TEvalOptions> ParseEvalOptions(const std::vector<std::string>& arguments,
                                             std::string& reason);
