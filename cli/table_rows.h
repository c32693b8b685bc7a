// Rows of values for zentavo-eval --table: one line a row, fields separated by ";"
// or a tab.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"

// A row with the wrong number of fields.
class ERowFieldCount : public Exception {
public:
    using Exception::Exception;
};

// True for an empty line or one of blanks only.
bool IsBlankRow(std::string_view line) noexcept;

// Splits a row (a trailing carriage return is dropped) into its fields, which stay
// views into the line; a count other than expected raises ERowFieldCount naming
// both counts. fields is the caller's, reused from row to row.
void SplitRow(std::string_view line, std::size_t expected, std::vector<std::string_view>& fields);
