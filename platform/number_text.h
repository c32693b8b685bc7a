// The one place where numbers are read from text and written as text, with the
// user's decimal separator.
#pragma once

#include <string>
#include <string_view>

#include "platform/floating_point.h"

// Converts a number text to Extended. Accepted: blanks (spaces only), an optional
// sign, digits with at most one decimal separator (at least a digit or the
// separator), an optional exponent ("E" or "e", optional sign, digits; no digits
// means exponent 0), blanks. Only the current regional separator is accepted. An
// exponent magnitude of 5000 or more, or a value beyond the Extended range, fails.
// Failures raise EConvertError "'<text>' is not a valid floating point value".
Extended TextToExtended(std::string_view text);

// Reads a number text of the same form (a formula literal, a value typed by the
// user) as the double nearest to its decimal value, ties to even: EOverflow beyond
// the double range but inside the Extended range, EConvertError as TextToExtended
// beyond that or for a wrong form; quietly zero or subnormal below the range.
double ReadValueText(std::string_view text);

// Writes a double as the result box shows it: 15 significant digits, fixed notation
// for magnitudes from 1E-4 up to (not including) 1E15, scientific otherwise ("1E-5",
// "-2.5E-7", no "+" and no leading zeros in the exponent), the regional separator.
std::string FormatResult(double value);

// Writes the shortest decimal that reads back as exactly the same double, in the
// same notation as FormatResult (up to 17 significant digits).
std::string FormatShortest(double value);
