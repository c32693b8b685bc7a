// The evaluators: contexts for one formula, and compiling a text once into the
// machine's program that is then run on demand.
#include "engine/evaluators.h"

#include "engine/node_factory.h"
#include "engine/parser.h"
#include "engine/symbols.h"

TEasyEvaluator::TEasyEvaluator()
    : FLocalContext(std::make_unique<TExprHashContext>(false, 127)),
      FSharedContexts(std::make_unique<TExprSetContext>(false)),
      FSearchContexts(std::make_unique<TExprSetContext>(false)) {
    // Added last, so the variables shadow the shared symbols of the same name.
    FSearchContexts->Add(FSharedContexts.get());
    FSearchContexts->Add(FLocalContext.get());
}

// The search set first, then the variables, then the shared set (which leaves the
// callers' contexts alone).
TEasyEvaluator::~TEasyEvaluator() {
    FSearchContexts.reset();
    FLocalContext.reset();
    FSharedContexts.reset();
}

void TEasyEvaluator::DefineVariable(std::string_view name, double* address) {
    FLocalContext->Add(std::make_unique<TExprVar64Sym>(std::string(name), address));
}

TCompiledEvaluator::TCompiledEvaluator() : FMachine(std::make_unique<TExprVirtMach>()) {}

TCompiledEvaluator::~TCompiledEvaluator() {
    FMachine.reset();
}

// The text is remembered before compiling, so the same text is not compiled again
// even when it failed; any other text drops the previous program first.
void TCompiledEvaluator::CompileExpression(std::string_view text) {
    if (text == FCompiledText) return;
    FCompiledText = text;
    FMachine->ClearProgram();
    // Freed in reverse order of creation (parser, factory, lexer), also on error.
    TExprSimpleLexer lexer(FCompiledText);
    TExprVirtMachNodeFactory factory;
    TExprCompileParser parser(lexer, factory);
    parser.SetContext(&SearchContexts());
    parser.Compile();
    try {
        factory.Generate(*FMachine);
    } catch (...) {
        FMachine->ClearProgram(); // no half-built program survives a failure
        throw;
    }
}
