// Message formatting and the small helpers of the platform's exception classes.
#include "platform/exceptions.h"

namespace {
std::string ReplacePlaceholder(std::string_view pattern, std::string_view placeholder,
                               std::string_view argument) {
    std::string result(pattern);
    if (auto at = result.find(placeholder); at != std::string::npos)
        result.replace(at, placeholder.size(), argument);
    return result;
}
} // namespace

std::string FormatMessage(std::string_view pattern, std::string_view argument) {
    return ReplacePlaceholder(pattern, "%s", argument);
}

std::string FormatMessage(std::string_view pattern, long long argument) {
    return ReplacePlaceholder(pattern, "%d", std::to_string(argument));
}

EConvertError EConvertError::InvalidFloat(std::string_view text) {
    return EConvertError(FormatMessage(RuntimeMessages::InvalidFloat, text));
}

void Assert(bool condition, std::string_view message) {
    if (!condition) throw EAssertionFailed(std::string(message));
}
