// Scanning of formula text into tokens: blanks and control characters separate
// tokens, identifiers are ASCII letters, digits and '_', numbers use '.' or the
// regional separator and are converted in extended precision.
#include "engine/lexer.h"

#include "platform/number_text.h"
#include "platform/regional_settings.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || IsDigit(c);
}

} // namespace

TExprSimpleLexer::TExprSimpleLexer(std::string_view text) : FText(text.substr(0, text.find('\0'))) {
    Reset();
}

void TExprSimpleLexer::Reset() {
    FPosition = 0;
    TExprLexer::Reset();
}

// Skips blanks and scans one token, noting where it starts and ends.
void TExprSimpleLexer::NextToken() {
    while (FPosition < FText.size() && static_cast<unsigned char>(FText[FPosition]) <= 32)
        ++FPosition;
    FTokenStart = FPosition;
    ScanToken();
    FTokenEnd = FPosition;
}

// The text never holds a zero byte, so a position at its end reads as the end mark.
void TExprSimpleLexer::ScanToken() {
    auto at = [this](std::size_t i) { return i < FText.size() ? FText[i] : '\0'; };
    const char c = at(FPosition);
    if (c == '\0') {
        FCurrentToken = tokEnd;
    } else if (IsDigit(c)) {
        ScanNumber();
    } else if (IsIdentStart(c)) {
        ScanIdentifier();
    } else if (c == '<') {
        const char next = at(FPosition + 1);
        FCurrentToken = next == '=' ? tokLessEqual : next == '>' ? tokNotEqual : tokLess;
        FPosition += FCurrentToken == tokLess ? 1 : 2;
    } else if (c == '>') {
        FCurrentToken = at(FPosition + 1) == '=' ? tokGreaterEqual : tokGreater;
        FPosition += FCurrentToken == tokGreater ? 1 : 2;
    } else {
        FCurrentToken = ExprCharTable[static_cast<unsigned char>(c)];
        ++FPosition;
    }
}

// number -> digits [ ('.' | separator) digits* ] [ ('E' | 'e') ['+' | '-'] digits* ]
void TExprSimpleLexer::ScanNumber() {
    const std::size_t start = FPosition;
    auto skipDigits = [this] {
        while (FPosition < FText.size() && IsDigit(FText[FPosition]))
            ++FPosition;
    };
    skipDigits();
    if (FPosition < FText.size() &&
        (FText[FPosition] == '.' || FText[FPosition] == DecimalSeparator())) {
        ++FPosition;
        skipDigits();
    }
    if (FPosition < FText.size() && (FText[FPosition] == 'E' || FText[FPosition] == 'e')) {
        ++FPosition;
        if (FPosition < FText.size() && (FText[FPosition] == '+' || FText[FPosition] == '-'))
            ++FPosition;
        skipDigits();
    }
    FTokenText.assign(FText, start, FPosition - start);
    FTokenNumber = ReadValueText(FTokenText);
    FCurrentToken = tokNumber;
}

// identifier -> (letter | '_') { letter | digit | '_' }
void TExprSimpleLexer::ScanIdentifier() {
    const std::size_t start = FPosition;
    while (FPosition < FText.size() && IsIdentChar(FText[FPosition]))
        ++FPosition;
    FTokenText.assign(FText, start, FPosition - start);
    FCurrentToken = tokIdent;
}
