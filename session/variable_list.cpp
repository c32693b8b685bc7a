// The variable declaration parse (trim, split at ";", skip empty pieces) and the
// rules of names: when two are one, and which one a formula names first.
#include "session/variable_list.h"

#include "engine/lexer.h"
#include "engine/string_hash_map.h"
#include "platform/exceptions.h"

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

bool SameVariableName(std::string_view a, std::string_view b) {
    return TCaseInsensitiveTraits::Instance().Compare(a, b) == 0;
}

std::size_t FirstNamedVariable(std::string_view formula, std::span<const std::string> names) {
    try {
        for (TExprSimpleLexer lexer(formula); lexer.CurrentToken() != tokEnd; lexer.NextToken()) {
            if (lexer.CurrentToken() != tokIdent) continue;
            for (std::size_t n = 0; n < names.size(); ++n)
                if (SameVariableName(lexer.TokenText(), names[n])) return n;
        }
    } catch (const Exception&) {
    }
    return 0;
}
