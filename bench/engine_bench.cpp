// Compile and evaluation time of our engine and of muparser on the same formulas,
// registered alternately so both run under the same conditions. The variables
// change on every evaluation, so neither engine can reuse a previous result.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <string>
#include <vector>

#include "engine/evaluators.h"
#include "engine/lexer.h"
#include "engine/node_factory.h"
#include "engine/parser.h"
#include "engine/virtual_machine.h"
#include "mathlib/standard_context.h"

namespace {

struct TFormula {
    std::string name;
    std::string ours;     // our syntax: power(a;b)
    std::string muparser; // muparser's syntax: a^b
    std::vector<std::string> variables;
};

std::string AlternatingSum(int terms) {
    std::string text;
    for (int i = 0; i < terms; ++i) {
        if (i > 0) text += i % 2 ? " + " : " - ";
        text += (i % 2 ? "y*" : "x*") + std::to_string(i + 1) + ".5";
    }
    return text;
}

std::string Nested(int depth) {
    return std::string(depth, '(') + "x+1" + std::string(depth, ')');
}

const std::vector<TFormula>& Formulas() {
    static const std::vector<TFormula> formulas = {
        {"F1", "x + y", "x + y", {"x", "y"}},
        {"F2", "(x + y) * (x - y) / 2", "(x + y) * (x - y) / 2", {"x", "y"}},
        {"F3", "5.22 - 5.44E-4 * (x - 817)", "5.22 - 5.44E-4 * (x - 817)", {"x"}},
        {"F4",
         "sin(x) * cos(y) + sqrt(x*x + y*y)",
         "sin(x) * cos(y) + sqrt(x*x + y*y)",
         {"x", "y"}},
        {"F5",
         "L*(((c/100)/12)*power((1+((c/100)/12));n))/(power((1+((c/100)/12));n)-1)",
         "L*(((c/100)/12)*(1+((c/100)/12))^n)/((1+((c/100)/12))^n-1)",
         {"L", "c", "n"}},
        {"F6", "A*exp(-Q/(8.31441*T))", "A*exp(-Q/(8.31441*T))", {"A", "Q", "T"}},
        {"F7", "(x > 0) * x + (x <= 0) * (-x)", "(x > 0) * x + (x <= 0) * (-x)", {"x"}},
        {"F8", AlternatingSum(60), AlternatingSum(60), {"x", "y"}},
        {"F9", Nested(50), Nested(50), {"x"}},
    };
    return formulas;
}

// Sample values for the variables, cycled through so every evaluation sees new ones.
constexpr std::size_t SampleCount = 64;
std::array<double, SampleCount> Samples(std::size_t variable) {
    std::array<double, SampleCount> samples{};
    for (std::size_t i = 0; i < SampleCount; ++i)
        samples[i] = 1.0 + static_cast<double>((i * 7 + variable * 13) % SampleCount) * 0.37;
    return samples;
}

// Variables of the loan formula stay in a meaningful range: L about 16000, c about 6,
// n about 24.
double Scaled(const std::string& name, double sample) {
    if (name == "L") return 16000 + sample;
    if (name == "c") return 6 + sample / 10;
    if (name == "n") return 24 + sample;
    if (name == "Q") return 185999 + sample;
    if (name == "T") return 1141 + sample;
    return sample;
}

struct TSampleTable {
    std::vector<std::array<double, SampleCount>> values;
    explicit TSampleTable(const TFormula& formula) {
        for (std::size_t v = 0; v < formula.variables.size(); ++v) {
            auto samples = Samples(v);
            for (double& s : samples)
                s = Scaled(formula.variables[v], s);
            values.push_back(samples);
        }
    }
};

void OursEvaluate(benchmark::State& state, const TFormula& formula) {
    TSampleTable table(formula);
    std::vector<double> vars(formula.variables.size());
    TCompiledEvaluator evaluator;
    evaluator.SharedContexts().Add(&StandardContext());
    for (std::size_t v = 0; v < vars.size(); ++v)
        evaluator.DefineVariable(formula.variables[v], &vars[v]);
    evaluator.CompileExpression(formula.ours);
    std::size_t i = 0;
    for (auto _ : state) {
        i = (i + 1) % SampleCount;
        for (std::size_t v = 0; v < vars.size(); ++v)
            vars[v] = table.values[v][i];
        benchmark::DoNotOptimize(evaluator.EvaluateExpression());
    }
}

// The design's floor: the same machine running as many operations as the formula
// compiles to, each with a trivial body (it copies the slot before it). What a
// formula costs above this is the work of its operations.
class TModelOp final : public TExprVirtMachOp {
public:
    explicit TModelOp(const double* source) : FSource(source) {}
    void Perform() override { FResult = *FSource; }

private:
    const double* FSource;
};

void ModelEvaluate(benchmark::State& state, const TFormula& formula) {
    // The formula's own program, compiled as the evaluator compiles it, gives the
    // count of operations.
    std::vector<double> vars(formula.variables.size(), 1.5);
    TCompiledEvaluator evaluator;
    evaluator.SharedContexts().Add(&StandardContext());
    for (std::size_t v = 0; v < vars.size(); ++v)
        evaluator.DefineVariable(formula.variables[v], &vars[v]);
    TExprVirtMach program;
    {
        TExprSimpleLexer lexer(formula.ours);
        TExprVirtMachNodeFactory factory;
        TExprCompileParser parser(lexer, factory);
        parser.SetContext(&evaluator.SearchContexts());
        parser.Compile();
        factory.Generate(program);
    }
    const std::size_t operations = program.CodeList().size();
    TExprVirtMach machine;
    double input = 1.5;
    const double* source = &input;
    for (std::size_t k = 0; k < operations; ++k) {
        source = machine.MakeOp<TModelOp>(source)->ResultSlot();
    }
    for (auto _ : state) {
        input += 1;
        benchmark::DoNotOptimize(machine.Run());
    }
    state.SetLabel(std::to_string(operations) + " operations");
}

void MuparserEvaluate(benchmark::State& state, const TFormula& formula) {
    TSampleTable table(formula);
    std::vector<double> vars(formula.variables.size());
    mu::Parser parser;
    for (std::size_t v = 0; v < vars.size(); ++v)
        parser.DefineVar(formula.variables[v], &vars[v]);
    parser.SetExpr(formula.muparser);
    parser.Eval();
    std::size_t i = 0;
    for (auto _ : state) {
        i = (i + 1) % SampleCount;
        for (std::size_t v = 0; v < vars.size(); ++v)
            vars[v] = table.values[v][i];
        benchmark::DoNotOptimize(parser.Eval());
    }
}

// Compilation from a fresh object: define the variables, compile, evaluate once.
void OursCompile(benchmark::State& state, const TFormula& formula) {
    std::vector<double> vars(formula.variables.size(), 1.5);
    for (auto _ : state) {
        TCompiledEvaluator evaluator;
        evaluator.SharedContexts().Add(&StandardContext());
        for (std::size_t v = 0; v < vars.size(); ++v)
            evaluator.DefineVariable(formula.variables[v], &vars[v]);
        evaluator.CompileExpression(formula.ours);
        benchmark::DoNotOptimize(evaluator.EvaluateExpression());
    }
}

void MuparserCompile(benchmark::State& state, const TFormula& formula) {
    std::vector<double> vars(formula.variables.size(), 1.5);
    for (auto _ : state) {
        mu::Parser parser;
        for (std::size_t v = 0; v < vars.size(); ++v)
            parser.DefineVar(formula.variables[v], &vars[v]);
        parser.SetExpr(formula.muparser);
        benchmark::DoNotOptimize(parser.Eval());
    }
}

[[maybe_unused]] const bool Registered = [] {
    for (const auto& f : Formulas()) {
        benchmark::RegisterBenchmark(("eval/" + f.name + "/ours").c_str(), OursEvaluate, f);
        benchmark::RegisterBenchmark(("eval/" + f.name + "/muparser").c_str(), MuparserEvaluate, f);
        benchmark::RegisterBenchmark(("eval/" + f.name + "/model").c_str(), ModelEvaluate, f);
    }
    for (const auto& f : Formulas()) {
        benchmark::RegisterBenchmark(("compile/" + f.name + "/ours").c_str(), OursCompile, f);
        benchmark::RegisterBenchmark(("compile/" + f.name + "/muparser").c_str(), MuparserCompile,
                                     f);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
