// The token kinds of the formula lexer: 199 kinds in one byte. Single-character
// kinds follow their byte values; the named ones are those the grammar uses.
// tokCharNN stands for the byte NN (33-255) that has no name of its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum TExprTokenKind : std::uint8_t {
    tokEnd,          // 0
    tokNumber,       // 1
    tokIdent,        // 2
    tokSpare0,       // 3
    tokSpare1,       // 4
    tokSpare2,       // 5
    tokSpare3,       // 6
    tokSpare4,       // 7
    tokSpare5,       // 8
    tokSpare6,       // 9
    tokSpare7,       // 10
    tokSpare8,       // 11
    tokSpare9,       // 12
    tokSpare10,      // 13
    tokSpare11,      // 14
    tokSpare12,      // 15
    tokSpare13,      // 16
    tokSpare14,      // 17
    tokSpare15,      // 18
    tokSpare16,      // 19
    tokSpare17,      // 20
    tokSpare18,      // 21
    tokSpare19,      // 22
    tokSpare20,      // 23
    tokSpare21,      // 24
    tokSpare22,      // 25
    tokSpare23,      // 26
    tokSpare24,      // 27
    tokSpare25,      // 28
    tokSpare26,      // 29
    tokSpare27,      // 30
    tokSpare28,      // 31
    tokSpare29,      // 32
    tokSpare30,      // 33
    tokSpare31,      // 34
    tokNotEqual,     // 35
    tokLessEqual,    // 36
    tokGreaterEqual, // 37
    tokChar33,       // 38
    tokChar34,       // 39
    tokChar35,       // 40
    tokChar36,       // 41
    tokChar37,       // 42
    tokChar38,       // 43
    tokChar39,       // 44
    tokLParen,       // 45
    tokRParen,       // 46
    tokStar,         // 47
    tokPlus,         // 48
    tokComma,        // 49
    tokMinus,        // 50
    tokDot,          // 51
    tokSlash,        // 52
    tokChar58,       // 53
    tokSemicolon,    // 54
    tokLess,         // 55
    tokEqual,        // 56
    tokGreater,      // 57
    tokChar63,       // 58
    tokChar64,       // 59
    tokChar91,       // 60
    tokChar92,       // 61
    tokChar93,       // 62
    tokChar94,       // 63
    tokChar96,       // 64
    tokChar123,      // 65
    tokChar124,      // 66
    tokChar125,      // 67
    tokChar126,      // 68
    tokChar127,      // 69
    tokChar128,      // 70
    tokChar129,      // 71
    tokChar130,      // 72
    tokChar131,      // 73
    tokChar132,      // 74
    tokChar133,      // 75
    tokChar134,      // 76
    tokChar135,      // 77
    tokChar136,      // 78
    tokChar137,      // 79
    tokChar138,      // 80
    tokChar139,      // 81
    tokChar140,      // 82
    tokChar141,      // 83
    tokChar142,      // 84
    tokChar143,      // 85
    tokChar144,      // 86
    tokChar145,      // 87
    tokChar146,      // 88
    tokChar147,      // 89
    tokChar148,      // 90
    tokChar149,      // 91
    tokChar150,      // 92
    tokChar151,      // 93
    tokChar152,      // 94
    tokChar153,      // 95
    tokChar154,      // 96
    tokChar155,      // 97
    tokChar156,      // 98
    tokChar157,      // 99
    tokChar158,      // 100
    tokChar159,      // 101
    tokChar160,      // 102
    tokChar161,      // 103
    tokChar162,      // 104
    tokChar163,      // 105
    tokChar164,      // 106
    tokChar165,      // 107
    tokChar166,      // 108
    tokChar167,      // 109
    tokChar168,      // 110
    tokChar169,      // 111
    tokChar170,      // 112
    tokChar171,      // 113
    tokChar172,      // 114
    tokChar173,      // 115
    tokChar174,      // 116
    tokChar175,      // 117
    tokChar176,      // 118
    tokChar177,      // 119
    tokChar178,      // 120
    tokChar179,      // 121
    tokChar180,      // 122
    tokChar181,      // 123
    tokChar182,      // 124
    tokChar183,      // 125
    tokChar184,      // 126
    tokChar185,      // 127
    tokChar186,      // 128
    tokChar187,      // 129
    tokChar188,      // 130
    tokChar189,      // 131
    tokChar190,      // 132
    tokChar191,      // 133
    tokChar192,      // 134
    tokChar193,      // 135
    tokChar194,      // 136
    tokChar195,      // 137
    tokChar196,      // 138
    tokChar197,      // 139
    tokChar198,      // 140
    tokChar199,      // 141
    tokChar200,      // 142
    tokChar201,      // 143
    tokChar202,      // 144
    tokChar203,      // 145
    tokChar204,      // 146
    tokChar205,      // 147
    tokChar206,      // 148
    tokChar207,      // 149
    tokChar208,      // 150
    tokChar209,      // 151
    tokChar210,      // 152
    tokChar211,      // 153
    tokChar212,      // 154
    tokChar213,      // 155
    tokChar214,      // 156
    tokChar215,      // 157
    tokChar216,      // 158
    tokChar217,      // 159
    tokChar218,      // 160
    tokChar219,      // 161
    tokChar220,      // 162
    tokChar221,      // 163
    tokChar222,      // 164
    tokChar223,      // 165
    tokChar224,      // 166
    tokChar225,      // 167
    tokChar226,      // 168
    tokChar227,      // 169
    tokChar228,      // 170
    tokChar229,      // 171
    tokChar230,      // 172
    tokChar231,      // 173
    tokChar232,      // 174
    tokChar233,      // 175
    tokChar234,      // 176
    tokChar235,      // 177
    tokChar236,      // 178
    tokChar237,      // 179
    tokChar238,      // 180
    tokChar239,      // 181
    tokChar240,      // 182
    tokChar241,      // 183
    tokChar242,      // 184
    tokChar243,      // 185
    tokChar244,      // 186
    tokChar245,      // 187
    tokChar246,      // 188
    tokChar247,      // 189
    tokChar248,      // 190
    tokChar249,      // 191
    tokChar250,      // 192
    tokChar251,      // 193
    tokChar252,      // 194
    tokChar253,      // 195
    tokChar254,      // 196
    tokChar255,      // 197
    tokInvalid,      // 198
};

// The kind of every byte. The scanner handles blanks and control characters
// (0-32), digits, letters and the underscore itself, so those are tokInvalid here;
// every other byte from 33 to 255 has a kind of its own, numbered in byte order
// from tokChar33 on.
constexpr std::array<TExprTokenKind, 256> MakeExprCharTable() {
    std::array<TExprTokenKind, 256> table{};
    int next = tokChar33;
    for (int byte = 0; byte < 256; ++byte) {
        const bool scanned = byte <= 32 || (byte >= '0' && byte <= '9') ||
                             (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                             byte == '_';
        table[static_cast<std::size_t>(byte)] =
            scanned ? tokInvalid : static_cast<TExprTokenKind>(next++);
    }
    return table;
}

inline constexpr std::array<TExprTokenKind, 256> ExprCharTable = MakeExprCharTable();

static_assert(ExprCharTable[' '] == tokInvalid && ExprCharTable['7'] == tokInvalid &&
              ExprCharTable['q'] == tokInvalid && ExprCharTable['_'] == tokInvalid);
static_assert(ExprCharTable['!'] == tokChar33 && ExprCharTable['$'] == tokChar36);
static_assert(ExprCharTable['('] == tokLParen && ExprCharTable[')'] == tokRParen &&
              ExprCharTable['*'] == tokStar && ExprCharTable['+'] == tokPlus &&
              ExprCharTable[','] == tokComma && ExprCharTable['-'] == tokMinus &&
              ExprCharTable['.'] == tokDot && ExprCharTable['/'] == tokSlash);
static_assert(ExprCharTable[':'] == tokChar58 && ExprCharTable[';'] == tokSemicolon &&
              ExprCharTable['<'] == tokLess && ExprCharTable['='] == tokEqual &&
              ExprCharTable['>'] == tokGreater && ExprCharTable['@'] == tokChar64);
static_assert(ExprCharTable['['] == tokChar91 && ExprCharTable['^'] == tokChar94 &&
              ExprCharTable['`'] == tokChar96 && ExprCharTable['{'] == tokChar123 &&
              ExprCharTable[127] == tokChar127 && ExprCharTable[128] == tokChar128 &&
              ExprCharTable[255] == tokChar255);
