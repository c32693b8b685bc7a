// The evaluators, the engine's public face. TEasyEvaluator holds the contexts a
// formula is compiled against; TCompiledEvaluator compiles a text once into a
// program and runs it on demand.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/contexts.h"
#include "engine/virtual_machine.h"

class TEasyEvaluator {
public:
    TEasyEvaluator();
    virtual ~TEasyEvaluator();
    TEasyEvaluator(const TEasyEvaluator&) = delete;
    TEasyEvaluator& operator=(const TEasyEvaluator&) = delete;

    // Binds a name to the caller's double, which must outlive every run of a
    // program compiled with it and must hold a finite value whenever a program
    // runs: a run that reads NaN there raises EInvalidOp, an infinity EOverflow.
    // A name already defined (in any case) raises EStringHashMapError.
    void DefineVariable(std::string_view name, double* address);

    // The caller's contexts (the standard table); searched after the variables.
    TExprSetContext& SharedContexts() noexcept { return *FSharedContexts; }
    // What a formula's names are looked up in: the variables, then the shared contexts.
    TExprSetContext& SearchContexts() noexcept { return *FSearchContexts; }

private:
    std::unique_ptr<TExprHashContext> FLocalContext;
    std::unique_ptr<TExprSetContext> FSharedContexts;
    std::unique_ptr<TExprSetContext> FSearchContexts;
};

class TCompiledEvaluator final : public TEasyEvaluator {
public:
    TCompiledEvaluator();
    ~TCompiledEvaluator() override;

    // Compiles the text into the machine; a text equal to the last one passed does
    // nothing, also when that one failed.
    void CompileExpression(std::string_view text);
    // Runs the program; EListError for index 0 when there is none.
    double EvaluateExpression() { return FMachine->Run(); }

private:
    std::string FCompiledText;
    std::unique_ptr<TExprVirtMach> FMachine;
};
