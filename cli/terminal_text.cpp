// Escaping for the terminal.
#include "cli/terminal_text.h"

#include "platform/utf8_text.h"

namespace {

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    out += "\\x";
    out += Hex[byte >> 4];
    out += Hex[byte & 0xF];
}

} // namespace

std::string EscapeControlBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        char32_t code = 0;
        const int length = byte < 0x80 ? 1 : NextCodePoint(text, i, code);
        if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F || (length == 0 && byte <= 0x9F)) {
            AppendHex(out, byte);
        } else if (length == 2 && code <= 0x9F) {
            AppendHex(out, byte);
            AppendHex(out, static_cast<unsigned char>(text[i + 1]));
        } else {
            out.append(text.substr(i, length == 0 ? 1 : static_cast<std::size_t>(length)));
        }
        i += length == 0 ? 1 : static_cast<std::size_t>(length);
    }
    return out;
}
