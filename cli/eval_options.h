// The command line of zentavo-eval: which mode, the formula, and the variables.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TEvalOptions {
    enum class TMode { Single, Table, Help };
    TMode Mode = TMode::Single;
    bool Full = false; // shortest round-trip digits instead of 15
    std::string Formula;
    std::vector<std::string> Names;      // Single: from NAME=VALUE; Table: from NAMES
    std::vector<std::string> ValueTexts; // Single only, one per name
};

// Parses the arguments (without the program name). Options (--full, --table,
// --help) come first; "--" ends them, and the first argument that is not one of them
// is the formula, even when it begins with "-" (such as "-x*2" or "--x"). Returns nothing and sets
// the reason when the command line is malformed.
std::optional<TEvalOptions> ParseEvalOptions(const std::vector<std::string>& arguments,
                                             std::string& reason);
