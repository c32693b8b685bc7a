// The "." rule of every error text shown to the user.
#include "platform/error_display_text.h"

std::string ErrorDisplayText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}
