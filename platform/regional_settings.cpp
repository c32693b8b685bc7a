// Storage of the process-wide decimal separator.
#include "platform/regional_settings.h"

namespace {
char GDecimalSeparator = '.';
}

char DecimalSeparator() noexcept {
    return GDecimalSeparator;
}

void SetDecimalSeparator(char separator) noexcept {
    GDecimalSeparator = separator;
}
