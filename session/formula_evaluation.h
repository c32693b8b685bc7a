// One evaluation of a formula with the user's variables: a fresh compiled
// evaluator over the standard table, each variable read from its value text and
// bound by address to the caller's double, then compile and run.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "engine/evaluators.h"

// A fresh compiled evaluator with the standard table in its shared contexts.
std::unique_ptr<TCompiledEvaluator> MakeFormulaEvaluator();

// The number a variable's value text stands for: an empty text raises TMathExpr
// ("Nothing assigned to one of the variables"), any other is read with ReadValueText.
double ReadVariableValue(std::string_view text);

// Evaluates the formula. names, valueTexts and values have one element per variable,
// in declaration order; values is the caller's storage that variable i is bound to
// while the formula runs, and keeps the numbers read before any failure.
// For each variable in turn: an empty value text raises TMathExpr ("Nothing assigned
// to one of the variables"); the text is read with ReadValueText into values[i]; the
// name is defined (a repeated name raises the name table's duplicate error). Then
// the formula is compiled exactly as given and run. Every failure is an exception
// with the message the user is shown.
double EvaluateFormula(std::string_view formula, std::span<const std::string> names,
                       std::span<const std::string> valueTexts, std::span<double> values);
