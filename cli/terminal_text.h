// Texts for a terminal: what a message quotes from the user's input is shown so
// that nothing in it can act on the terminal and the text reads back unambiguously.
// C0 controls, DEL and C1 controls (raw bytes 0x80 to 0x9F outside UTF-8, and the
// code points U+0080 to U+009F in UTF-8, shown as their bytes) become \xHH, a tab
// \t and a backslash \\; every other byte stays as it is.
#pragma once

#include <string>
#include <string_view>

std::string EscapeControlBytes(std::string_view text);
