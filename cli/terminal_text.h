// Texts for a terminal: control bytes of the user's input (below 0x20, and 0x7F)
// quoted in an error message are shown escaped as \xHH, so a NUL cannot cut the
// message and an escape sequence cannot reach the terminal.
#pragma once

#include <string>
#include <string_view>

std::string EscapeControlBytes(std::string_view text);
