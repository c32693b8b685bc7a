// The program's texts and numbers as Qt strings: UTF-8 text as it is, numbers as
// the result box writes them (FormatResult, 15 digits, the regional separator).
#pragma once

#include <QString>
#include <string_view>

#include "platform/number_text.h"

inline QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString NumberText(double value) {
    return FromStd(FormatResult(value));
}
