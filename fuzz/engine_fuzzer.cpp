// Fuzz target for the expression engine: arbitrary bytes as formula text, compiled
// by a TCompiledEvaluator against three variables and a table of constants and
// functions, run twice with a variable changed in between, then freed. The
// engine's own exceptions are normal outcomes; everything else aborts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/evaluators.h"
#include "engine/symbols.h"
#include "platform/regional_settings.h"

namespace {

[[noreturn]] void Finding(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "engine finding: %s %s\n", what, detail.c_str());
    std::abort();
}

// Test functions: finite for every finite argument; Checked raises a domain error
// of the library's own kind for negative arguments, as the real functions do.
double Half(double x) {
    return x / 2;
}
double Magnitude(double x) {
    return std::fabs(x);
}
double Checked(double x) {
    if (x < 0) throw ELibraryError("Invalid argument");
    return x + 1;
}
double Larger(double x, double y) {
    return x > y ? x : y;
}
double Mean(double x, double y) {
    return x / 2 + y / 2;
}

TExprHashContext* GTable = nullptr; // the table every input sees, like the standard one

std::unique_ptr<TExprHashContext> MakeTable() {
    auto table = std::make_unique<TExprHashContext>(false, 100);
    table->Add(std::make_unique<TExprConstSym>("pi", 3.141592653589793));
    table->Add(std::make_unique<TExprConstSym>("big", 1e308));
    table->Add(std::make_unique<TExprConstSym>("tiny", 5e-324));
    table->Add(std::make_unique<TExprConstSym>("zero", 0));
    table->Add(std::make_unique<TExprUnaryFuncSym>("half", Half));
    table->Add(std::make_unique<TExprUnaryFuncSym>("abs", Magnitude));
    table->Add(std::make_unique<TExprUnaryFuncSym>("checked", Checked));
    table->Add(std::make_unique<TExprBinaryFuncSym>("max", Larger));
    table->Add(std::make_unique<TExprBinaryFuncSym>("mean", Mean));
    return table;
}

// Symbols keep no parser references between compilations.
void CheckBindingsRestored() {
    for (const char* name : {"pi", "half", "abs", "checked", "max", "mean"}) {
        const TExprSymBinding& b = GTable->Find(name)->Binding();
        if (b.Lexer || b.Parser || b.Factory) Finding("binding left set on", name);
    }
}

// The value, or the message of the engine exception that stopped the run.
struct TOutcome {
    std::optional<double> Value;
    std::string Error;
    bool operator==(const TOutcome& o) const {
        return Error == o.Error &&
               (Value ? o.Value && std::memcmp(&*Value, &*o.Value, sizeof(double)) == 0 : !o.Value);
    }
};

TOutcome Evaluate(TCompiledEvaluator& evaluator) {
    try {
        const double value = evaluator.EvaluateExpression();
        if (!std::isfinite(value)) Finding("non-finite result");
        return {value, {}};
    } catch (const Exception& e) {
        return {std::nullopt, e.what()};
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static std::unique_ptr<TExprHashContext> table = MakeTable();
    GTable = table.get();
    return 0;
}

// A leading ',' selects ',' as the decimal separator for the rest of the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool comma = !text.empty() && text.front() == ',';
    if (comma) text.remove_prefix(1);
    SetDecimalSeparator(comma ? ',' : '.');

    double x = 1.5, y = -2, z = 1e-300;
    {
        TCompiledEvaluator evaluator;
        evaluator.SharedContexts().Add(GTable);
        evaluator.DefineVariable("x", &x);
        evaluator.DefineVariable("y", &y);
        evaluator.DefineVariable("Z", &z);
        bool compiled = true;
        try {
            evaluator.CompileExpression(text);
        } catch (const Exception&) {
            compiled = false;
        }
        CheckBindingsRestored();
        const TOutcome first = Evaluate(evaluator);
        if (!compiled && first.Value) Finding("a failed compilation left a program");
        x = 0;
        y = 1e300;
        z = -0.0;
        const TOutcome second = Evaluate(evaluator);
        // Compiling the same text again does nothing; the program runs alike.
        try {
            evaluator.CompileExpression(text);
        } catch (const Exception& e) {
            Finding("the same text raised on the second compile:", e.what());
        }
        if (!(Evaluate(evaluator) == second)) Finding("a rerun gave a different outcome");
    }
    SetDecimalSeparator('.');
    return 0;
}
