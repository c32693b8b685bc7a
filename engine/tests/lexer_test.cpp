// The lexer: token kinds and their ordinals, scanning rules, number conversion
// under both decimal separators.
#include <gtest/gtest.h>

#include <vector>

#include "engine/lexer.h"
#include "platform/number_text.h"
#include "platform/tests/separator_scope.h"

namespace {

struct TToken {
    TExprTokenKind kind;
    std::string text;
    double number;
    bool operator==(const TToken&) const = default;
};

// Scans the whole text: kind, and the text or number for identifiers and numbers.
std::vector<TToken> Scan(std::string_view text) {
    std::vector<TToken> tokens;
    TExprSimpleLexer lexer(text);
    for (int guard = 0; guard < 100; ++guard) {
        TToken t{lexer.CurrentToken(), "", 0};
        if (t.kind == tokIdent) t.text = lexer.TokenText();
        if (t.kind == tokNumber) t.number = lexer.TokenNumber();
        tokens.push_back(t);
        if (t.kind == tokEnd) break;
        lexer.NextToken();
    }
    return tokens;
}

TToken Num(double v) {
    return {tokNumber, "", v};
}
TToken Id(const char* s) {
    return {tokIdent, s, 0};
}
TToken Tok(TExprTokenKind k) {
    return {k, "", 0};
}
const TToken End = Tok(tokEnd);

TEST(TokenKind, OrdinalsOfTheNamedKinds) {
    static_assert(sizeof(TExprTokenKind) == 1);
    const std::pair<TExprTokenKind, int> ordinals[] = {
        {tokEnd, 0},        {tokNumber, 1},    {tokIdent, 2},      {tokSpare0, 3},
        {tokSpare31, 34},   {tokNotEqual, 35}, {tokLessEqual, 36}, {tokGreaterEqual, 37},
        {tokLParen, 45},    {tokRParen, 46},   {tokStar, 47},      {tokPlus, 48},
        {tokComma, 49},     {tokMinus, 50},    {tokDot, 51},       {tokSlash, 52},
        {tokSemicolon, 54}, {tokLess, 55},     {tokEqual, 56},     {tokGreater, 57},
        {tokChar33, 38},    {tokChar64, 59},   {tokChar91, 60},    {tokChar94, 63},
        {tokChar96, 64},    {tokChar123, 65},  {tokChar127, 69},   {tokChar128, 70},
        {tokChar255, 197},  {tokInvalid, 198},
    };
    for (auto [kind, ordinal] : ordinals)
        EXPECT_EQ(static_cast<int>(kind), ordinal);
}

TEST(TokenKind, CharacterTableMapsEveryOtherByteToItsOwnKind) {
    int distinct = 0;
    for (int b = 0; b < 256; ++b) {
        const bool handledByScanner = b <= 32 || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') ||
                                      (b >= 'a' && b <= 'z') || b == '_';
        if (handledByScanner) {
            EXPECT_EQ(ExprCharTable[b], tokInvalid) << b;
        } else {
            EXPECT_NE(ExprCharTable[b], tokInvalid) << b;
            ++distinct;
        }
    }
    EXPECT_EQ(distinct, 160); // kinds 38 to 197, one per remaining byte
    EXPECT_EQ(ExprCharTable['('], tokLParen);
    EXPECT_EQ(ExprCharTable[';'], tokSemicolon);
    EXPECT_EQ(ExprCharTable[0xE9], static_cast<TExprTokenKind>(70 + 0xE9 - 128));
}

struct ScanCase {
    const char* rule;
    const char* text;
    std::vector<TToken> tokens;
};

TEST(Lexer, ScanningRules) {
    const ScanCase cases[] = {
        {"empty text is the end", "", {End}},
        {"blanks and control characters only", " \t\r\n\x01\x1f", {End}},
        {"blanks around a number", "  42 ", {Num(42), End}},
        {"tabs and line breaks separate tokens", "1\t2\n3", {Num(1), Num(2), Num(3), End}},
        {"exponent marker without digits", "1e", {Num(1), End}},
        {"exponent sign without digits", "1E+", {Num(1), End}},
        {"negative exponent sign without digits", "1e-", {Num(1), End}},
        {"point then exponent", "2.e3", {Num(2000), End}},
        {"number then identifier", "2E3x", {Num(2000), Id("x"), End}},
        {"second point starts a new token", "1.2.3", {Num(1.2), Tok(tokDot), Num(3), End}},
        {"leading point is its own token", ".5", {Tok(tokDot), Num(5), End}},
        {"pairs", "<> <= >=", {Tok(tokNotEqual), Tok(tokLessEqual), Tok(tokGreaterEqual), End}},
        {"separated pair is two tokens", "< =", {Tok(tokLess), Tok(tokEqual), End}},
        {"reversed pairs are two tokens",
         "=<><=>",
         {Tok(tokEqual), Tok(tokNotEqual), Tok(tokLessEqual), Tok(tokGreater), End}},
        {"greater then less", "><", {Tok(tokGreater), Tok(tokLess), End}},
        {"identifiers with digits and underscores",
         "x1_y _ _1",
         {Id("x1_y"), Id("_"), Id("_1"), End}},
        {"digit first is a number then a name", "1x", {Num(1), Id("x"), End}},
        {"letters keep their case", "PiE", {Id("PiE"), End}},
        {"high bytes are tokens of their own",
         "a\xE9"
         "b",
         {Id("a"), Tok(ExprCharTable[0xE9]), Id("b"), End}},
        {"comma is a token under a point locale", "2,5", {Num(2), Tok(tokComma), Num(5), End}},
        {"operators",
         "+-*/();",
         {Tok(tokPlus), Tok(tokMinus), Tok(tokStar), Tok(tokSlash), Tok(tokLParen), Tok(tokRParen),
          Tok(tokSemicolon), End}},
        {"underflow becomes zero", "1E-400", {Num(0), End}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scan(c.text), c.tokens) << c.rule;
}

TEST(Lexer, EmbeddedZeroByteEndsTheText) {
    EXPECT_EQ(Scan(std::string_view("1+\0"
                                    "2",
                                    4)),
              (std::vector{Num(1), Tok(tokPlus), End}));
}

TEST(Lexer, CommaSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(Scan("2,5"), (std::vector{Num(2.5), End}));
    EXPECT_EQ(Scan("power(2,5;1)")[2], Num(2.5));
    try {
        Scan("2.5");
        FAIL() << "a point under a comma locale must not convert";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'2.5' is not a valid floating point value");
    }
}

TEST(Lexer, NumberFaults) {
    EXPECT_THROW(Scan("1E400"), EOverflow);
    try {
        Scan("x+1E5000");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1E5000' is not a valid floating point value");
    }
    EXPECT_THROW(Scan("1E4933"), EConvertError) << "beyond the extended range";
}

TEST(Lexer, EndIsSticky) {
    TExprSimpleLexer lexer("x");
    lexer.NextToken();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lexer.CurrentToken(), tokEnd);
        lexer.NextToken();
    }
}

TEST(Lexer, TextAndNumberSurviveOtherTokens) {
    TExprSimpleLexer lexer("abc 7 (");
    lexer.NextToken();
    lexer.NextToken();
    EXPECT_EQ(lexer.CurrentToken(), tokLParen);
    EXPECT_EQ(lexer.TokenText(), "7");
    EXPECT_EQ(lexer.TokenNumber(), 7);
}

TEST(Lexer, ResetRewinds) {
    TExprSimpleLexer lexer("a b");
    lexer.NextToken();
    lexer.Reset();
    EXPECT_EQ(lexer.CurrentToken(), tokIdent);
    EXPECT_EQ(lexer.TokenText(), "a");
}

} // namespace
