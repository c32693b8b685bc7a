// The user's regional decimal separator: one process-wide setting, read whenever a
// number is scanned, read from a cell, or written. "." until the program sets it;
// both front ends set it at start from the user's locale, the same way.
#pragma once

#include <string_view>

char DecimalSeparator() noexcept;
void SetDecimalSeparator(char separator) noexcept;

// The decimal separator of a POSIX locale name such as "de_DE.UTF-8", "en_DE",
// "sr_Latn_RS@latin" or "C": "," or ".", from the regional conventions of each
// language and territory (a separator that is not ASCII, as in most Arabic
// locales, gives "."). An unknown language gives ".". Needs no installed locale.
char LocaleDecimalSeparator(std::string_view localeName) noexcept;

// The separator of the locale that governs numbers: LC_ALL, else LC_NUMERIC, else
// LANG (the first that is set and not empty).
char SystemDecimalSeparator() noexcept;

// Hands SystemDecimalSeparator() to SetDecimalSeparator.
void ApplySystemDecimalSeparator() noexcept;
