// The one place that turns an error message into the text the user sees.
#pragma once

#include <string>
#include <string_view>

// The message with "." appended when it is not empty and its last character's code
// is greater than that of ".".
std::string ErrorDisplayText(std::string_view message);
