// Number reading and writing in the user's regional notation, independent of the
// C library's locale: the form is checked here, the conversion itself runs in the
// "C" locale, and output is produced with std::to_chars.
#include "platform/number_text.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "platform/regional_settings.h"

namespace {

constexpr int ExponentLimit = 5000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The "C" locale, created once, so conversion never depends on the process locale.
locale_t ClassicLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// Checks the form and builds a normalised copy ("." as separator, exponent digits
// always present) that strtold can read; false when the form is wrong.
bool Normalise(std::string_view text, std::string& normalised) {
    const char separator = DecimalSeparator();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalised += text[i++];
    size_t mantissaStart = i;
    while (i < text.size() && IsDigit(text[i]))
        normalised += text[i++];
    if (i < text.size() && text[i] == separator) {
        normalised += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            normalised += text[i++];
    }
    if (i == mantissaStart) return false;
    if (normalised.back() == '.' || normalised.back() == '+' || normalised.back() == '-')
        normalised += '0'; // "5." and "." read as "5.0" and ".0"
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        int exponent = 0;
        while (i < text.size() && IsDigit(text[i])) {
            exponent = exponent * 10 + (text[i++] - '0');
            if (exponent >= ExponentLimit) return false;
        }
        normalised += negative ? "e-" : "e";
        normalised += std::to_string(exponent);
    }
    skipBlanks();
    return i == text.size();
}

// Writes sign, digits d1..dk and decimal exponent e (value = 0.d1..dk * 10^e) in the
// result notation.
std::string WriteDigits(bool negative, std::string_view digits, int e) {
    const char separator = DecimalSeparator();
    std::string out;
    if (negative) out += '-';
    const int k = static_cast<int>(digits.size());
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            out += '0';
            out += separator;
            out.append(static_cast<size_t>(-e), '0');
            out += digits;
        } else if (k <= e) {
            out += digits;
            out.append(static_cast<size_t>(e - k), '0');
        } else {
            out += digits.substr(0, static_cast<size_t>(e));
            out += separator;
            out += digits.substr(static_cast<size_t>(e));
        }
    } else {
        out += digits[0];
        if (k > 1) {
            out += separator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(e - 1);
    }
    return out;
}

// Splits to_chars' scientific output ("-d.ddde-05") into digits without trailing
// zeros and the exponent of the 0.ddd form, then writes it.
std::string WriteScientificText(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (IsDigit(c)) digits += c;
    int exponent = 0;
    std::string_view exponentText = text.substr(ePos + 1);
    if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return WriteDigits(negative, digits, exponent + 1);
}

// Engine results are always finite; a non-finite value still gets a readable text.
std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-INF" : "INF";
}

// The normalised copy of a number text; a wrong form raises EConvertError.
std::string NormalisedText(std::string_view text) {
    std::string normalised;
    if (!Normalise(text, normalised)) throw EConvertError::InvalidFloat(text);
    return normalised;
}

// The Extended value of a normalised text; beyond the Extended range raises
// EConvertError with the text as typed.
Extended ReadExtended(const std::string& normalised, std::string_view text) {
    const Extended value = strtold_l(normalised.c_str(), nullptr, ClassicLocale());
    if (!std::isfinite(value)) throw EConvertError::InvalidFloat(text);
    return value;
}

} // namespace

Extended TextToExtended(std::string_view text) {
    return ReadExtended(NormalisedText(text), text);
}

// from_chars rounds the decimal value once, to the nearest double (ties to even),
// and fast. A value beyond the double range (or below it) is left to strtod, which
// gives 0 or a subnormal below and an infinity above; only when it overflows is the
// Extended range asked, for the right message.
double ReadValueText(std::string_view text) {
    const std::string normalised = NormalisedText(text);
    double value = 0;
    const char* end = normalised.data() + normalised.size();
    if (const auto [stop, error] = std::from_chars(normalised.data(), end, value);
        error == std::errc() && stop == end) [[likely]]
        return value;
    value = strtod_l(normalised.c_str(), nullptr, ClassicLocale());
    if (std::isfinite(value)) return value;
    ReadExtended(normalised, text); // beyond the Extended range too: not a number
    throw EOverflow();
}

std::string FormatResult(double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return WriteScientificText(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

std::string FormatShortest(double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return WriteScientificText(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}
