// The variable declaration parse: trim, split at ";", skip empty pieces.
#include "session/variable_list.h"

namespace {

bool IsBlank(char c) noexcept {
    return static_cast<unsigned char>(c) <= 32;
}

// An entry is stored as the piece followed by "="; its name ends at the first "=".
std::string EntryName(std::string_view piece) {
    return std::string(piece.substr(0, piece.find('=')));
}

} // namespace

std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> ParseVariableList(std::string_view text) {
    std::vector<std::string> names;
    std::string_view rest = TrimBlanks(text);
    while (!rest.empty()) {
        std::string_view piece;
        const size_t semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) {
            piece = rest;
            rest = {};
        } else {
            piece = TrimBlanks(rest.substr(0, semicolon));
            rest = TrimBlanks(rest.substr(semicolon + 1));
        }
        if (!piece.empty()) names.push_back(EntryName(piece));
    }
    return names;
}
