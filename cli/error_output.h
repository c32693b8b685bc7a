// Messages to standard error that need no memory of their own: each is written with
// write(2) straight from the texts given, and the message for memory that has run
// out comes from storage reserved when the program was built, so reporting an
// error can never fail for want of memory.
#pragma once

#include <initializer_list>
#include <string_view>

// Writes the parts as one line (a newline is added when the last part has none).
// If even that write fails, there is nobody left to tell.
void WriteErrorLine(std::initializer_list<std::string_view> parts) noexcept;

// "zentavo-eval: out of memory" and a newline.
void WriteOutOfMemory() noexcept;
