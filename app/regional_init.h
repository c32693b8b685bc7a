// Start-up step shared by the calculator and the command-line tool: the user's
// decimal separator, taken from the system locale, becomes the platform's separator.
#pragma once

// The system locale's decimal separator; "." when it is not a single ASCII character.
char SystemDecimalSeparator();

// Hands SystemDecimalSeparator() to SetDecimalSeparator.
void ApplySystemDecimalSeparator();
