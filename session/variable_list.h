// Reading the variable declaration: a semicolon-separated list of names such as
// "x;y;z", trimmed of blanks and control characters, with empty pieces skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Removes every character with a code from 0 to 32 from both ends.
std::string_view TrimBlanks(std::string_view text) noexcept;

// The declared names in order. Each non-empty piece is one entry; an entry's name is
// its text up to the first "=" (a piece holds no "=" in ordinary use). Names are not
// validated: inner blanks, repeats and names no formula can spell are kept.
std::vector<std::string> ParseVariableList(std::string_view text);
