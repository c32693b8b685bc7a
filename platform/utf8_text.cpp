// Decoding UTF-8.
#include "platform/utf8_text.h"

int NextCodePoint(std::string_view text, std::size_t i, char32_t& code) noexcept {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const int length = lead >= 0xC2 && lead < 0xE0   ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return 0;
    code = lead & (0x7Fu >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
        return 0;
    return length;
}

std::size_t FirstBadUtf8(std::string_view text) noexcept {
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int length = NextCodePoint(text, i, code);
        if (length == 0) return i;
        i += static_cast<std::size_t>(length);
    }
    return std::string_view::npos;
}

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
    std::u32string result;
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int length = NextCodePoint(text, i, code);
        if (length == 0) return std::nullopt;
        result.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return result;
}
