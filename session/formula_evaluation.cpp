// The evaluation sequence shared by the calculator window and the command-line tool.
#include "session/formula_evaluation.h"

#include "engine/evaluators.h"
#include "mathlib/standard_context.h"
#include "platform/number_text.h"
#include "session/math_expr.h"

std::unique_ptr<TCompiledEvaluator> MakeFormulaEvaluator() {
    auto evaluator = std::make_unique<TCompiledEvaluator>();
    evaluator->SharedContexts().Add(&StandardContext());
    return evaluator;
}

double ReadVariableValue(std::string_view text) {
    if (text.empty()) throw TMathExpr(std::string(SessionMessages::NothingAssigned));
    return ReadValueText(text);
}

double EvaluateFormula(std::string_view formula, std::span<const std::string> names,
                       std::span<const std::string> valueTexts, std::span<double> values) {
    Assert(valueTexts.size() == names.size() && values.size() == names.size());
    auto evaluator = MakeFormulaEvaluator();
    for (size_t i = 0; i < names.size(); ++i) {
        values[i] = ReadVariableValue(valueTexts[i]);
        evaluator->DefineVariable(names[i], &values[i]);
    }
    evaluator->CompileExpression(formula);
    return evaluator->EvaluateExpression();
}
