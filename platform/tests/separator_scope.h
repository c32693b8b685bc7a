// Test helper: sets the regional decimal separator for one scope and puts the
// previous one back afterwards.
#pragma once

#include "platform/regional_settings.h"

class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : FSaved(DecimalSeparator()) {
        SetDecimalSeparator(separator);
    }
    ~SeparatorScope() { SetDecimalSeparator(FSaved); }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;

private:
    char FSaved;
};
