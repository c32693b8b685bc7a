// The two builds of the kernels give the same double, or the same refusal, for every
// argument: a million random arguments per built-in function (fewer under the
// sanitizers), drawn inside each function's domain and across many binades.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "mathlib/function_variants.h"
#include "platform/exceptions.h"

namespace {

#ifndef ZENTAVO_AGREEMENT_SCALE
#define ZENTAVO_AGREEMENT_SCALE 1
#endif
constexpr int ArgumentsPerFunction = 1000000 / ZENTAVO_AGREEMENT_SCALE;

// The result's bits, or the refusal's message.
template <typename F> std::string Outcome(F&& call) {
    try {
        const double value = call();
        std::string bits(sizeof value, '\0');
        std::memcpy(bits.data(), &value, sizeof value);
        return bits;
    } catch (const Exception& e) {
        return e.Message();
    }
}

// m 2^e with m in [1, 2), e from -24 to 9 (beyond, most functions only overflow or
// return their limit), either sign.
double WideArgument(std::mt19937_64& random) {
    const double m = std::uniform_real_distribution<double>(1, 2)(random);
    const int e = std::uniform_int_distribution<int>(-24, 9)(random);
    return (random() & 1 ? -1 : 1) * std::ldexp(m, e);
}

// An argument inside the function's domain, so that few calls are refusals.
double ArgumentFor(std::string_view name, std::mt19937_64& random) {
    const double x = WideArgument(random);
    const double unit = std::ldexp(x, -10); // magnitude below 1
    if (name == "arcsin" || name == "arccos" || name == "arctanh" || name == "arcsech")
        return name == "arcsech" ? std::fabs(unit) : unit;
    if (name == "arcsec" || name == "arccsc" || name == "arccoth" || name == "arccosh")
        return name == "arccosh" ? 1 / std::fabs(unit) : 1 / unit;
    if (name == "ln" || name.starts_with("logbase")) return std::fabs(x);
    return x;
}

TEST(MathVariants, BothBuildsGiveTheSameDoubleForEveryArgument) {
    if (!ProcessorHasFma()) GTEST_SKIP() << "this processor has no fused multiply-add";
    const auto portable = PortableFunctions(), fused = FmaFunctions();
    ASSERT_EQ(portable.size(), fused.size());
    std::mt19937_64 random(20261209);
    for (std::size_t f = 0; f < portable.size(); ++f) {
        const TStandardFunction &p = portable[f], &q = fused[f];
        ASSERT_EQ(p.Name, q.Name);
        int differences = 0;
        for (int i = 0; i < ArgumentsPerFunction && differences < 5; ++i) {
            double x = ArgumentFor(p.Name, random), y = ArgumentFor(p.Name, random);
            if (p.Name == "power") { // a positive base, an exponent that seldom overflows
                x = std::fabs(x);
                y = std::ldexp(y, -5);
            } else if (p.Name == "logbasen") {
                x = std::fabs(x);
                y = std::fabs(y);
            }
            const bool unary = p.Arity == 1;
            const std::string a = Outcome([&] { return unary ? p.Unary(x) : p.Binary(x, y); });
            const std::string b = Outcome([&] { return unary ? q.Unary(x) : q.Binary(x, y); });
            if (a != b) {
                ++differences;
                ADD_FAILURE() << p.Name << "(" << x << (unary ? "" : "; " + std::to_string(y))
                              << ") differs between the builds";
            }
        }
    }
}

TEST(MathVariants, TheEnvironmentCanAskForThePortableBuild) {
    const char* wanted = std::getenv("ZENTAVO_MATH");
    const bool portable = (wanted && std::string_view(wanted) == "portable") || !ProcessorHasFma();
    EXPECT_EQ(ChosenMathVariant(), portable ? TMathVariant::Portable : TMathVariant::Fma);
    EXPECT_EQ(StandardFunctions().data(), (portable ? PortableFunctions() : FmaFunctions()).data());
}

} // namespace
