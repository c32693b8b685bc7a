// The formula lexer: TExprLexer holds the current token; TExprSimpleLexer scans one
// formula text held in memory. Every byte yields some token; only malformed number
// literals fail.
#pragma once

#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/token_kind.h"

class TExprLexer {
public:
    virtual ~TExprLexer() = default;

    // Scans the next token and makes it current.
    virtual void NextToken() = 0;
    // Rewinds to the first token (which is scanned at once).
    virtual void Reset() { NextToken(); }

    TExprTokenKind CurrentToken() const noexcept { return FCurrentToken; }
    // Value of the most recent number token.
    double TokenNumber() const noexcept { return FTokenNumber; }
    // Text of the most recent number or identifier token.
    const std::string& TokenText() const noexcept { return FTokenText; }
    // The parse error with the given message at the current token.
    EParseError ErrorAtToken(std::string message) const {
        return {std::move(message), FTokenStart, FTokenEnd};
    }

protected:
    TExprTokenKind FCurrentToken = tokEnd;
    std::size_t FTokenStart = 0, FTokenEnd = 0; // byte offsets of the current token
    double FTokenNumber = 0.0;
    std::string FTokenText;
};

class TExprSimpleLexer final : public TExprLexer {
public:
    // Copies the text (up to its first zero byte) and scans the first token.
    explicit TExprSimpleLexer(std::string_view text);

    void NextToken() override;
    void Reset() override;

private:
    void ScanToken();
    void ScanNumber();
    void ScanIdentifier();

    std::string FText;
    std::size_t FPosition = 0;
};
