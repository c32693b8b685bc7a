// UTF-8 text as code points: decoding one sequence, finding the first byte that is
// not UTF-8, decoding a whole text. Overlong forms, surrogates, code points beyond
// U+10FFFF and cut-short sequences are not UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The length of the UTF-8 sequence at text[i] and its code point in code, or 0 when
// it is not one (an overlong form, a surrogate, beyond U+10FFFF, cut short).
int NextCodePoint(std::string_view text, std::size_t i, char32_t& code) noexcept;

// The offset of the first byte that is not UTF-8, or npos.
std::size_t FirstBadUtf8(std::string_view text) noexcept;

// The code points of a UTF-8 text, or nothing.
std::optional<std::u32string> DecodeUtf8(std::string_view text);
