// The command line of zentavo-eval and the splitting of table rows.
#include <gtest/gtest.h>

#include "cli/eval_options.h"
#include "cli/table_rows.h"

namespace {

using TMode = TEvalOptions::TMode;

TEST(EvalOptions, FormulaAndBindings) {
    std::string reason;
    auto o = ParseEvalOptions({"x*y", "x=2", "y=1=3"}, reason);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Mode, TMode::Single);
    EXPECT_EQ(o->Formula, "x*y");
    EXPECT_EQ(o->Names, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(o->ValueTexts, (std::vector<std::string>{"2", "1=3"})) << "split at the first =";
}

TEST(EvalOptions, FormulaBeginningWithMinusIsTheFormula) {
    std::string reason;
    auto o = ParseEvalOptions({"--full", "-x*2", "x=3"}, reason);
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->Full);
    EXPECT_EQ(o->Formula, "-x*2");
    o = ParseEvalOptions({"--", "--full"}, reason);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->Full);
    EXPECT_EQ(o->Formula, "--full") << "-- ends the options";
    o = ParseEvalOptions({"--x", "x=1"}, reason);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Formula, "--x") << "only the known options are options";
}

TEST(EvalOptions, Table) {
    std::string reason;
    auto o = ParseEvalOptions({"--table", " a ; b;;", "a+b"}, reason);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Mode, TMode::Table);
    EXPECT_EQ(o->Names, (std::vector<std::string>{"a", "b"})) << "parsed as the list box is";
}

TEST(EvalOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--full"},
        {"--bogus", "1"},
        {"x", "novalue"},
        {"x", "=3"},
        {"--table", "x"},
        {"--table", "x", "x", "extra"},
    };
    for (const auto& args : cases) {
        std::string reason;
        EXPECT_FALSE(ParseEvalOptions(args, reason)) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(reason.empty());
    }
}

// Options that conflict are refused whatever their order, naming both; none wins
// silently.
TEST(EvalOptions, ConflictingOptionsNameBoth) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--sweep", "x=0:1:3", "--table", "x", "x*2"}, "--sweep and --table exclude each other"},
        {{"--table", "--sweep", "x=0:1:3", "x", "x*2"}, "--table and --sweep exclude each other"},
        {{"--solve", "x=0:1", "--list"}, "--solve and --list exclude each other"},
        {{"--sweep", "x=0:1:3", "--sweep", "x=0:1:2", "x"}, "--sweep may be given only once"},
        {{"--formula", "a", "--formula", "b"}, "--formula may be given only once"},
        {{"--log", "x*2", "x=1"}, "--log goes with --sweep or --solve"},
        {{"--table", "--log", "x", "x"}, "--log goes with --sweep or --solve"},
    };
    for (const auto& [args, expected] : cases) {
        std::string reason;
        EXPECT_FALSE(ParseEvalOptions(args, reason)) << expected;
        EXPECT_EQ(reason, expected);
    }
}

TEST(TableRows, SplitsOnSemicolonsAndTabs) {
    std::vector<std::string_view> fields;
    SplitRow("1;2\t3\r", 3, fields);
    EXPECT_EQ(fields, (std::vector<std::string_view>{"1", "2", "3"}));
    SplitRow("2,5", 1, fields);
    EXPECT_EQ(fields, (std::vector<std::string_view>{"2,5"})) << "a comma is no separator";
    SplitRow(";", 2, fields);
    EXPECT_EQ(fields, (std::vector<std::string_view>{"", ""}));
    try {
        SplitRow("1;2;3", 2, fields);
        FAIL();
    } catch (const ERowFieldCount& e) {
        EXPECT_STREQ(e.what(), "Row has 3 fields, expected 2");
    }
    EXPECT_TRUE(IsBlankRow("  \t\r"));
    EXPECT_FALSE(IsBlankRow(" 1"));
}

} // namespace
