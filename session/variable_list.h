// Reading the variable declaration: a semicolon-separated list of names such as
// "x;y;z", trimmed of blanks and control characters, with empty pieces skipped.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Removes every character with a code from 0 to 32 from both ends.
std::string_view TrimBlanks(std::string_view text) noexcept;

// The declared names in order. Each non-empty piece is one entry; an entry's name is
// its text up to the first "=" (a piece holds no "=" in ordinary use). Names are not
// validated: inner blanks, repeats and names no formula can spell are kept.
std::vector<std::string> ParseVariableList(std::string_view text);

// Two variable names are the same name when the formula engine's name tables take
// them for one (letters a to z fold to upper case).
bool SameVariableName(std::string_view a, std::string_view b);

// The index of the first declared name that the formula names, scanned with the
// formula engine's own lexer up to a malformed number if any; 0 when none is named.
std::size_t FirstNamedVariable(std::string_view formula, std::span<const std::string> names);
