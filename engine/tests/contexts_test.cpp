// Symbols and contexts: who frees which symbol, duplicates staying the caller's,
// shadowing in set contexts, and symbols compiling themselves (argument lists,
// their parse errors, the references restored afterwards).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "engine/contexts.h"
#include "engine/errors.h"
#include "engine/symbols.h"
#include "engine/tests/program_listing.h"

namespace {

// A symbol that counts, per name, how often it is destroyed.
class TCountedSym final : public TExprSym {
public:
    TCountedSym(std::string name, std::map<std::string, int>& freed)
        : TExprSym(std::move(name)), FFreed(freed) {}
    ~TCountedSym() override { ++FFreed[Name()]; }
    TExprNode* Compile() override { return nullptr; }

private:
    std::map<std::string, int>& FFreed;
};

double Twice(double x) {
    return 2 * x;
}

double Minus(double x, double y) {
    return x - y;
}

TEST(HashContext, FreesEverySymbolExactlyOnce) {
    std::map<std::string, int> freed;
    {
        TExprHashContext context(false, 7);
        for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"})
            context.Add(std::make_unique<TCountedSym>(name, freed));
        EXPECT_TRUE(freed.empty());
    }
    EXPECT_EQ(freed.size(), 10u);
    for (const auto& [name, count] : freed)
        EXPECT_EQ(count, 1) << name;
}

TEST(HashContext, RejectedDuplicateStaysTheCallers) {
    std::map<std::string, int> freed;
    // Held as its own type: Add must not convert it into a temporary that frees it.
    auto rejected = std::make_unique<TCountedSym>("PI", freed);
    {
        TExprHashContext context(false, 100);
        context.Add(std::make_unique<TCountedSym>("Pi", freed));
        TExprSym* first = context.Find("pi");
        try {
            context.Add(std::move(rejected));
            FAIL();
        } catch (const EStringHashMapError& e) {
            EXPECT_STREQ(e.what(), "Duplicate hash list entry: PI");
        }
        ASSERT_NE(rejected, nullptr) << "the caller still holds the symbol";
        EXPECT_EQ(context.Find("PI"), first) << "the context is unchanged";
    }
    EXPECT_EQ(freed["Pi"], 1);
    EXPECT_EQ(freed.count("PI"), 0u) << "the context did not free the rejected symbol";
    rejected.reset();
    EXPECT_EQ(freed["PI"], 1);
}

TEST(HashContext, LetterCase) {
    std::map<std::string, int> freed;
    TExprHashContext sensitive(true, 10);
    sensitive.Add(std::make_unique<TCountedSym>("x", freed));
    sensitive.Add(std::make_unique<TCountedSym>("X", freed));
    EXPECT_EQ(sensitive.Find("x")->Name(), "x");
    EXPECT_EQ(sensitive.Find("X")->Name(), "X");

    TExprHashContext insensitive(false, 10);
    insensitive.Add(std::make_unique<TCountedSym>("Pi", freed));
    for (const char* name : {"PI", "pi", "pI"})
        EXPECT_EQ(insensitive.Find(name)->Name(), "Pi") << "the name is kept as added";
    EXPECT_EQ(insensitive.Find("p"), nullptr);
    EXPECT_NO_THROW(insensitive.Add(std::make_unique<TCountedSym>("not an identifier", freed)));
}

TEST(SetContext, LastAddedShadowsAndIndexesInOrder) {
    std::map<std::string, int> freed;
    TExprHashContext first(false, 10), second(false, 10);
    first.Add(std::make_unique<TCountedSym>("pi", freed));
    first.Add(std::make_unique<TCountedSym>("e", freed));
    second.Add(std::make_unique<TCountedSym>("PI", freed));

    TExprSetContext set(false);
    EXPECT_EQ(set.Find("pi"), nullptr) << "an empty set finds nothing";
    set.Add(&first);
    set.Add(&second);
    EXPECT_EQ(set.Find("pi"), second.Find("pi")) << "the member added last wins";
    EXPECT_EQ(set.Find("E"), first.Find("e")) << "earlier members are still searched";
    EXPECT_EQ(set.Find("missing"), nullptr);

    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Contexts(0), &first);
    EXPECT_EQ(set.Contexts(1), &second);
    for (int bad : {-1, 2}) {
        try {
            set.Contexts(bad);
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.what(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
}

TEST(SetContext, OwnershipOfMembers) {
    std::map<std::string, int> freed;
    auto member = std::make_unique<TExprHashContext>(false, 10);
    member->Add(std::make_unique<TCountedSym>("kept", freed));
    {
        TExprSetContext borrowing(false);
        borrowing.Add(member.get());
        borrowing.Add(member.get());
    }
    EXPECT_TRUE(freed.empty()) << "a non-owning set frees nothing";
    ASSERT_NE(member->Find("kept"), nullptr);
    {
        TExprSetContext owning(true);
        owning.Add(member.release());
        auto other = std::make_unique<TExprHashContext>(true, 10);
        other->Add(std::make_unique<TCountedSym>("other", freed));
        owning.Add(other.release());
    }
    EXPECT_EQ(freed["kept"], 1);
    EXPECT_EQ(freed["other"], 1);
}

TEST(Symbols, NullAddressOrFunctionFailsAnAssertion) {
    const auto startsWithAssertion = [](const auto& make) {
        try {
            make();
            return false;
        } catch (const EAssertionFailed& e) {
            return std::string(e.what()).rfind("Assertion failure", 0) == 0;
        }
    };
    EXPECT_TRUE(startsWithAssertion([] { TExprVar64Sym("x", nullptr); }));
    EXPECT_TRUE(startsWithAssertion([] { TExprUnaryFuncSym("f", nullptr); }));
    EXPECT_TRUE(startsWithAssertion([] { TExprBinaryFuncSym("g", nullptr); }));
    // Outside a compilation a symbol has no factory to compile with.
    EXPECT_TRUE(startsWithAssertion([] { TExprConstSym("c", 1).Compile(); }));
}

// A context with a constant, a variable and one- and two-argument functions.
class SymbolsCompile : public ::testing::Test {
protected:
    SymbolsCompile() : context(false, 10) {
        context.Add(std::make_unique<TExprConstSym>("pi", 3.5));
        context.Add(std::make_unique<TExprVar64Sym>("x", &x));
        context.Add(std::make_unique<TExprUnaryFuncSym>("Twice", Twice));
        context.Add(std::make_unique<TExprBinaryFuncSym>("Minus", Minus));
    }
    void ExpectUnbound() {
        for (const char* name : {"pi", "x", "Twice", "Minus"}) {
            const TExprSymBinding& b = context.Find(name)->Binding();
            EXPECT_TRUE(!b.Lexer && !b.Parser && !b.Factory) << name;
        }
    }
    double x = 5;
    TExprHashContext context;
};

struct ProgramCase {
    const char* rule;
    const char* text;
    double value;
    const char* program;
};

TEST_F(SymbolsCompile, ValuesAndProgramShape) {
    const ProgramCase cases[] = {
        {"a constant is one constant", "pi", 3.5, "const 3.5, |"},
        {"a constant ignores a following '('", "pi(2)", 3.5, "const 3.5, |"},
        {"a variable is read", "x", 5, "| var"},
        {"the call follows its argument", "Twice(x+1)", 12, "const 1, | var, add, call"},
        {"the first argument is passed first", "Minus(x;1)", 4, "const 1, | var, call"},
        {"arguments may be comparisons", "Twice(1<2)", 2,
         "const 1, const 2, const 2, | cmp, mul, sub, div, call"},
        {"calls nest", "Minus(Twice(x);Twice(1))", 8, "const 1, | var, call, call, call"},
        {"blanks between tokens", " Minus ( 7 ; 2 ) ", 5, "const 7, const 2, | call"},
        {"names ignore letter case", "TWICE(PI)", 7, "const 3.5, | call"},
    };
    for (const auto& c : cases) {
        TExprVirtMach machine;
        CompileInto(machine, c.text, &context);
        EXPECT_EQ(ListProgram(machine), c.program) << c.rule;
        EXPECT_EQ(machine.Run(), c.value) << c.rule;
    }
    ExpectUnbound();
}

struct ErrorCase {
    const char* rule;
    const char* text;
    std::string_view message;
};

TEST_F(SymbolsCompile, ArgumentListErrors) {
    using namespace ParseMessages;
    const ErrorCase cases[] = {
        {"function without '('", "Twice x", FirstArgumentExpected},
        {"function name alone", "Twice", FirstArgumentExpected},
        {"too few arguments", "Minus(2)", NextArgumentExpected},
        {"',' does not separate arguments", "Minus(2,3)", NextArgumentExpected},
        {"too many arguments (unary)", "Twice(1;2)", CloseArgumentsExpected},
        {"too many arguments (binary)", "Minus(1;2;3)", CloseArgumentsExpected},
        {"unclosed list", "Twice(1", CloseArgumentsExpected},
        {"error inside a nested list", "Minus(Twice(1;2);3)", CloseArgumentsExpected},
        {"empty argument", "Minus(;2)", FactorExpected},
    };
    for (const auto& c : cases) {
        try {
            TExprVirtMach machine;
            CompileInto(machine, c.text, &context);
            ADD_FAILURE() << c.rule;
        } catch (const EExprEvalError& e) {
            EXPECT_EQ(e.what(), c.message) << c.rule;
        }
        ExpectUnbound();
    }
}

} // namespace
