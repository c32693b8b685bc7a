// The rules of saved formulas' names.
#include "session/formula_name.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

#include "platform/utf8_text.h"

namespace {

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Lower case in every alphabet, from the C library's Unicode tables; ASCII only when
// the C.UTF-8 locale is missing.
char32_t Folded(char32_t code) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (unicode) return static_cast<char32_t>(towlower_l(static_cast<wint_t>(code), unicode));
    return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
}

} // namespace

std::u32string FormulaNameKey(std::string_view name) {
    std::u32string key;
    if (auto codes = DecodeUtf8(name))
        key = std::move(*codes);
    else // not UTF-8: its bytes stand for themselves
        for (char c : name)
            key.push_back(static_cast<unsigned char>(c));
    for (char32_t& code : key)
        code = Folded(code);
    return key;
}

std::string CheckedFormulaName(std::string_view name) {
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    if (name.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NameEmpty));
    const auto codes = DecodeUtf8(name);
    if (!codes) throw EFormulaStoreError(std::string(FormulaStoreMessages::NameNotUtf8));
    if (std::any_of(codes->begin(), codes->end(), IsControl))
        throw EFormulaStoreError(std::string(FormulaStoreMessages::NameControl));
    if (codes->size() > MaxFormulaNameLength)
        throw EFormulaStoreError(std::string(FormulaStoreMessages::NameTooLong));
    return std::string(name);
}

bool SameFormulaName(std::string_view a, std::string_view b) {
    return FormulaNameKey(a) == FormulaNameKey(b);
}
