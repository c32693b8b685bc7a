// The variable declaration parse: trimming, splitting, skipped pieces.
#include "session/variable_list.h"

#include <gtest/gtest.h>

namespace {

struct TListCase {
    const char* rule;
    std::string text;
    std::vector<std::string> names;
};

// Test listings name a case by its rule.
void PrintTo(const TListCase& c, std::ostream* out) {
    *out << c.rule;
}

class VariableListTest : public testing::TestWithParam<TListCase> {};

TEST_P(VariableListTest, ParsesToNames) {
    EXPECT_EQ(ParseVariableList(GetParam().text), GetParam().names);
}

const TListCase listCases[] = {
    {"plain_list_in_order", "x;y;z", {"x", "y", "z"}},
    {"blanks_around_pieces_and_ends_are_trimmed", " ; x ; ", {"x"}},
    {"empty_piece_between_semicolons_is_skipped", "x;;y", {"x", "y"}},
    {"inner_blank_stays_part_of_the_name", "a b", {"a b"}},
    {"empty_text_declares_nothing", "", {}},
    {"only_semicolons_and_blanks_declare_nothing", " ;; ; ", {}},
    {"control_characters_trim_like_blanks", "\t x \n;\r y\x01", {"x", "y"}},
    {"repeated_name_gives_two_entries", "x;X", {"x", "X"}},
    {"no_other_validation_of_names", "1a;$;a-b", {"1a", "$", "a-b"}},
    {"name_ends_at_first_equals_sign", "a=5;b", {"a", "b"}},
    {"last_piece_keeps_inner_text", "x; long name ", {"x", "long name"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, VariableListTest, testing::ValuesIn(listCases),
                         [](const auto& test) { return std::string(test.param.rule); });

// The variable a plot sweeps first: the first declared name the formula spells, in
// any case, past words that are no declared name; 0 when it names none.
TEST(FirstNamedVariable, IsTheFirstDeclaredNameTheFormulaSpells) {
    const std::vector<std::string> names{"a", "Speed", "t"};
    EXPECT_EQ(FirstNamedVariable("t*SPEED + a", names), 2u);
    EXPECT_EQ(FirstNamedVariable("sin(pi) + speed", names), 1u);
    EXPECT_EQ(FirstNamedVariable("t + 1.2.3", names), 2u);
    EXPECT_EQ(FirstNamedVariable("2*3", names), 0u);
}

} // namespace
