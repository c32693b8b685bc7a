// The user's regional decimal separator: one process-wide setting, read whenever a
// number is scanned, read from a cell, or written. "." until the program sets it.
#pragma once

char DecimalSeparator() noexcept;
void SetDecimalSeparator(char separator) noexcept;
