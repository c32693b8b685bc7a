// Time per call of every built-in function through its formula adapter, against
// the C library's double function (or the plain double formula) on the same
// arguments, in the build of the kernels chosen for this processor and in the
// portable one. The adapters return the exact value correctly rounded; the C library
// does not promise that. The label gives the share of calls that took the exact
// path.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "mathlib/exact_path.h"
#include "mathlib/function_variants.h"
#include "mathlib/standard_table.h"

namespace {

struct TCase {
    const char* Name;
    double (*Library)(double, double);
    double XLow, XHigh, YLow, YHigh; // arguments drawn uniformly from these ranges
};

// Ordinary arguments for each function: where formulas use it.
const std::vector<TCase>& Cases() {
    static const std::vector<TCase> cases = {
        {"sin", [](double x, double) { return std::sin(x); }, -10, 10, 0, 0},
        {"cos", [](double x, double) { return std::cos(x); }, -10, 10, 0, 0},
        {"exp", [](double x, double) { return std::exp(x); }, -50, 50, 0, 0},
        {"ln", [](double x, double) { return std::log(x); }, 1e-3, 1e3, 0, 0},
        {"square", [](double x, double) { return x * x; }, -1e3, 1e3, 0, 0},
        {"sqrt", [](double x, double) { return std::sqrt(x); }, 0, 1e3, 0, 0},
        {"abs", [](double x, double) { return std::fabs(x); }, -1e3, 1e3, 0, 0},
        {"tan", [](double x, double) { return std::tan(x); }, -10, 10, 0, 0},
        {"arctan", [](double x, double) { return std::atan(x); }, -10, 10, 0, 0},
        {"logbase10", [](double x, double) { return std::log10(x); }, 1e-3, 1e3, 0, 0},
        {"logbase2", [](double x, double) { return std::log2(x); }, 1e-3, 1e3, 0, 0},
        {"cot", [](double x, double) { return 1 / std::tan(x); }, 0.1, 3, 0, 0},
        {"sec", [](double x, double) { return 1 / std::cos(x); }, -10, 10, 0, 0},
        {"csc", [](double x, double) { return 1 / std::sin(x); }, 0.1, 3, 0, 0},
        {"arcsin", [](double x, double) { return std::asin(x); }, -1, 1, 0, 0},
        {"arccos", [](double x, double) { return std::acos(x); }, -1, 1, 0, 0},
        {"arccot", [](double x, double) { return std::atan(1 / x); }, 0.1, 10, 0, 0},
        {"arcsec", [](double x, double) { return std::acos(1 / x); }, 1, 10, 0, 0},
        {"arccsc", [](double x, double) { return std::asin(1 / x); }, 1, 10, 0, 0},
        {"cosh", [](double x, double) { return std::cosh(x); }, -10, 10, 0, 0},
        {"coth", [](double x, double) { return 1 / std::tanh(x); }, 0.1, 10, 0, 0},
        {"csch", [](double x, double) { return 1 / std::sinh(x); }, 0.1, 10, 0, 0},
        {"sech", [](double x, double) { return 1 / std::cosh(x); }, -10, 10, 0, 0},
        {"sinh", [](double x, double) { return std::sinh(x); }, -10, 10, 0, 0},
        {"tanh", [](double x, double) { return std::tanh(x); }, -10, 10, 0, 0},
        {"arccosh", [](double x, double) { return std::acosh(x); }, 1, 100, 0, 0},
        {"arccoth", [](double x, double) { return std::atanh(1 / x); }, 1.01, 10, 0, 0},
        {"arccsch", [](double x, double) { return std::asinh(1 / x); }, 0.1, 10, 0, 0},
        {"arcsech", [](double x, double) { return std::acosh(1 / x); }, 0.01, 1, 0, 0},
        {"arcsinh", [](double x, double) { return std::asinh(x); }, -100, 100, 0, 0},
        {"arctanh", [](double x, double) { return std::atanh(x); }, -0.99, 0.99, 0, 0},
        {"coversine", [](double x, double) { return 1 - std::sin(x); }, -10, 10, 0, 0},
        {"exsecans", [](double x, double) { return 1 / std::cos(x) - 1; }, -1.5, 1.5, 0, 0},
        {"haversine", [](double x, double) { return (1 - std::cos(x)) / 2; }, -10, 10, 0, 0},
        {"versine", [](double x, double) { return 1 - std::cos(x); }, -10, 10, 0, 0},
        {"power", [](double x, double y) { return std::pow(x, y); }, 0.5, 2, -30, 30},
        {"pythag", [](double x, double y) { return std::hypot(x, y); }, -100, 100, -100, 100},
        {"logbasen", [](double b, double x) { return std::log(x) / std::log(b); }, 1.5, 100, 1e-3,
         1e3},
        {"arctan2", [](double y, double x) { return std::atan2(y, x); }, -10, 10, -10, 10},
    };
    return cases;
}

constexpr std::size_t ArgumentCount = 1024;

struct TArguments {
    std::array<double, ArgumentCount> X, Y;
    explicit TArguments(const TCase& c) {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> x(c.XLow, c.XHigh), y(c.YLow, c.YHigh);
        for (std::size_t i = 0; i < ArgumentCount; ++i) {
            X[i] = x(random);
            Y[i] = c.YLow < c.YHigh ? y(random) : 0;
        }
    }
};

const TStandardFunction& Find(std::span<const TStandardFunction> functions, const char* name) {
    for (const TStandardFunction& f : functions)
        if (f.Name == name) return f;
    std::abort();
}

// Through the build chosen for this processor, or the portable one.
template <bool Portable> void Ours(benchmark::State& state, const TCase& c) {
    const TArguments args(c);
    const TStandardFunction& f = Find(Portable ? PortableFunctions() : StandardFunctions(), c.Name);
    std::size_t i = 0;
    const std::uint64_t exactBefore = Exact::CallCount();
    for (auto _ : state) {
        i = (i + 1) % ArgumentCount;
        benchmark::DoNotOptimize(f.Arity == 1 ? f.Unary(args.X[i])
                                              : f.Binary(args.X[i], args.Y[i]));
    }
    // A label, not a counter: the CSV report wants the same counters in every run.
    state.SetLabel("exact " + std::to_string(static_cast<double>(Exact::CallCount() - exactBefore) /
                                             static_cast<double>(state.iterations())));
}

void Library(benchmark::State& state, const TCase& c) {
    const TArguments args(c);
    std::size_t i = 0;
    for (auto _ : state) {
        i = (i + 1) % ArgumentCount;
        benchmark::DoNotOptimize(c.Library(args.X[i], args.Y[i]));
    }
}

[[maybe_unused]] const bool Registered = [] {
    for (const TCase& c : Cases()) {
        benchmark::RegisterBenchmark((std::string("function/") + c.Name + "/ours").c_str(),
                                     Ours<false>, c);
        benchmark::RegisterBenchmark((std::string("function/") + c.Name + "/portable").c_str(),
                                     Ours<true>, c);
        benchmark::RegisterBenchmark((std::string("function/") + c.Name + "/libm").c_str(), Library,
                                     c);
    }
    return true;
}();

} // namespace
