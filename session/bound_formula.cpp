// Binding a formula to its variables over the standard table, and reading a value text.
#include "session/bound_formula.h"

#include "engine/evaluators.h"
#include "mathlib/standard_context.h"
#include "platform/number_text.h"
#include "session/math_expr.h"

double ReadVariableValue(std::string_view text) {
    if (text.empty()) throw TMathExpr(std::string(SessionMessages::NothingAssigned));
    return ReadValueText(text);
}

TBoundFormula::TBoundFormula(std::string_view formula, std::span<const std::string> names,
                             std::span<double> values, std::span<const std::string> valueTexts)
    : FEvaluator(std::make_unique<TCompiledEvaluator>()) {
    Assert(values.size() == names.size() &&
           (valueTexts.empty() || valueTexts.size() == names.size()));
    FEvaluator->SharedContexts().Add(&StandardContext());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!valueTexts.empty()) values[i] = ReadVariableValue(valueTexts[i]);
        FEvaluator->DefineVariable(names[i], &values[i]);
    }
    FEvaluator->CompileExpression(formula);
}

TBoundFormula::~TBoundFormula() = default;

double TBoundFormula::Evaluate() {
    return FEvaluator->EvaluateExpression();
}

double EvaluateFormula(std::string_view formula, std::span<const std::string> names,
                       std::span<const std::string> valueTexts, std::span<double> values) {
    Assert(valueTexts.size() == names.size());
    return TBoundFormula(formula, names, values, valueTexts).Evaluate();
}
