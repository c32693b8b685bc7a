// Storage of the process-wide decimal separator, and the separator of a locale
// name, looked up in a table of regional conventions rather than in the C
// library's installed locales (which a desktop often lacks for the user's own
// language).
#include "platform/regional_settings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace {

char GDecimalSeparator = '.';

// Languages whose numbers use a decimal comma in their usual territory.
constexpr std::array<std::string_view, 99> CommaLanguages = {
    "af",  "agq", "ast", "az",  "bas", "be",  "bg",  "br",  "bs",  "ca",  "cs", "da",  "de",
    "dsb", "dua", "dyo", "el",  "eo",  "es",  "et",  "eu",  "ewo", "ff",  "fi", "fo",  "fr",
    "fur", "fy",  "gl",  "hr",  "hsb", "hu",  "hy",  "ia",  "id",  "is",  "it", "jgo", "jv",
    "ka",  "kab", "kea", "kgp", "kk",  "kkj", "kl",  "km",  "ksf", "ksh", "ku", "ky",  "lb",
    "ln",  "lo",  "lt",  "lu",  "lv",  "mgh", "mk",  "mua", "nb",  "nds", "nl", "nmg", "nn",
    "nnh", "os",  "pl",  "pt",  "rn",  "ro",  "ru",  "rw",  "sah", "sc",  "se", "seh", "sg",
    "shi", "sk",  "sl",  "smn", "sq",  "sr",  "su",  "sv",  "tg",  "tk",  "tr", "tt",  "tzm",
    "uk",  "uz",  "vi",  "wae", "wo",  "yav", "yrl", "zgh",
};

// Old language codes that still appear in locale names.
struct TLanguageAlias {
    std::string_view Old, Current;
};
constexpr std::array<TLanguageAlias, 4> LanguageAliases = {{
    {"in", "id"},
    {"mo", "ro"},
    {"no", "nb"},
    {"sh", "sr"},
}};

// Territories whose separator differs from their language's usual one.
struct TTerritoryException {
    std::string_view Language, Territory;
    char Separator;
};
constexpr std::array<TTerritoryException, 36> TerritoryExceptions = {{
    {"ar", "DZ", ','}, {"ar", "LY", ','},  {"ar", "MA", ','}, {"ar", "TN", ','}, {"az", "IR", '.'},
    {"de", "CH", '.'}, {"de", "LI", '.'},  {"en", "AT", ','}, {"en", "BE", ','}, {"en", "DE", ','},
    {"en", "DK", ','}, {"en", "FI", ','},  {"en", "NL", ','}, {"en", "SE", ','}, {"en", "SI", ','},
    {"en", "ZA", ','}, {"es", "419", '.'}, {"es", "BR", '.'}, {"es", "BZ", '.'}, {"es", "CU", '.'},
    {"es", "DO", '.'}, {"es", "GT", '.'},  {"es", "HN", '.'}, {"es", "MX", '.'}, {"es", "NI", '.'},
    {"es", "PA", '.'}, {"es", "PE", '.'},  {"es", "PR", '.'}, {"es", "SV", '.'}, {"es", "US", '.'},
    {"it", "CH", '.'}, {"ms", "BN", ','},  {"ms", "ID", ','}, {"qu", "BO", ','}, {"sw", "CD", ','},
    {"uz", "AF", '.'},
}};

static_assert(std::ranges::is_sorted(CommaLanguages));

bool IsAsciiLetter(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::string Folded(std::string_view text, bool upper) {
    std::string result(text);
    for (char& c : result)
        if (IsAsciiLetter(c)) c = static_cast<char>(upper ? (c & ~0x20) : (c | 0x20));
    return result;
}

// A territory is two letters or three digits ("DE", "419"); four letters are a script.
bool IsTerritory(std::string_view part) noexcept {
    return (part.size() == 2 && IsAsciiLetter(part[0]) && IsAsciiLetter(part[1])) ||
           (part.size() == 3 && std::ranges::all_of(part, IsAsciiDigit));
}

} // namespace

char DecimalSeparator() noexcept {
    return GDecimalSeparator;
}

void SetDecimalSeparator(char separator) noexcept {
    GDecimalSeparator = separator;
}

// language[_Script][_TERRITORY][.codeset][@modifier], with "_" or "-" between parts.
char LocaleDecimalSeparator(std::string_view localeName) noexcept {
    localeName = localeName.substr(0, localeName.find_first_of(".@"));
    const std::size_t languageEnd = std::min(localeName.find_first_of("_-"), localeName.size());
    const std::string_view languagePart = localeName.substr(0, languageEnd);
    if (languagePart.size() < 2 || languagePart.size() > 3 ||
        !std::ranges::all_of(languagePart, IsAsciiLetter))
        return '.';
    std::string language = Folded(languagePart, false);
    for (const TLanguageAlias& alias : LanguageAliases)
        if (language == alias.Old) language = alias.Current;

    std::string territory;
    std::string_view rest = localeName.substr(languageEnd);
    while (!rest.empty() && territory.empty()) {
        rest.remove_prefix(1);
        const std::string_view part = rest.substr(0, rest.find_first_of("_-"));
        if (IsTerritory(part)) territory = Folded(part, true);
        rest.remove_prefix(part.size());
    }

    for (const TTerritoryException& exception : TerritoryExceptions)
        if (exception.Language == language && exception.Territory == territory)
            return exception.Separator;
    return std::ranges::binary_search(CommaLanguages, std::string_view(language)) ? ',' : '.';
}

char SystemDecimalSeparator() noexcept {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return LocaleDecimalSeparator(value);
    }
    return '.';
}

void ApplySystemDecimalSeparator() noexcept {
    SetDecimalSeparator(SystemDecimalSeparator());
}
