// A formula bound to the user's variables: a compiled evaluator over the standard
// table with each declared name bound by address to the caller's double, compiled
// once and run as often as the caller changes the numbers. The one place where a
// formula meets its variables, for Compute, sweeps, solves and zentavo-eval.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

class TCompiledEvaluator;

// The number a variable's value text stands for: an empty text raises TMathExpr
// ("Nothing assigned to one of the variables"), any other is read with ReadValueText.
double ReadVariableValue(std::string_view text);

class TBoundFormula {
public:
    // For each variable in turn: when valueTexts is given (one per name), its text is
    // read with ReadVariableValue into values[i]; the name is defined, bound to
    // values[i] (a repeated name raises the name table's duplicate error). Then the
    // formula is compiled exactly as given. values is the caller's storage, one per
    // name, kept for the formula's lifetime; it keeps the numbers read before any
    // failure. Every failure is an exception with the message the user is shown.
    TBoundFormula(std::string_view formula, std::span<const std::string> names,
                  std::span<double> values, std::span<const std::string> valueTexts = {});
    ~TBoundFormula();
    TBoundFormula(const TBoundFormula&) = delete;
    TBoundFormula& operator=(const TBoundFormula&) = delete;

    // Runs the formula with the numbers now in the caller's storage.
    double Evaluate();

private:
    std::unique_ptr<TCompiledEvaluator> FEvaluator;
};

// One evaluation with the variables' value texts: TBoundFormula's checks in its
// order, then one run.
double EvaluateFormula(std::string_view formula, std::span<const std::string> names,
                       std::span<const std::string> valueTexts, std::span<double> values);
