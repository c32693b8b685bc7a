// Variable list, grid, computation and logs of one calculator session.
#include "session/calculation_session.h"

#include <algorithm>

#include "platform/number_text.h"
#include "session/bound_formula.h"
#include "session/formula_store.h"
#include "session/predefined_formulas.h"
#include "session/sweep.h"
#include "session/variable_list.h"

namespace {
constexpr int NameColumn = 0;
constexpr int ValueColumn = 1;
} // namespace

TCalculationSession::TCalculationSession() {
    UpdateVariableGrid();
}

void TCalculationSession::ParseVariableList(std::string_view text) {
    FVarList = ::ParseVariableList(text);
    UpdateVariableGrid();
}

void TCalculationSession::UpdateVariableGrid() {
    const int n = static_cast<int>(FVarList.size());
    FCells.SetRowCount(std::max(n, 1) + 1);
    FCells.SetCell(NameColumn, 0, "Name");
    FCells.SetCell(ValueColumn, 0, "Value");
    // The placeholder row counts as one.
    FQuantityText = std::to_string(std::max(n, 1));
    if (n == 0) {
        FCells.SetCell(NameColumn, 1, "x");
        FCells.SetCell(ValueColumn, 1, std::string(EmptyCellValue));
        return;
    }
    for (int i = 0; i < n; ++i) {
        FCells.SetCell(NameColumn, i + 1, FVarList[static_cast<size_t>(i)]);
        if (FCells.Cell(ValueColumn, i + 1).empty())
            FCells.SetCell(ValueColumn, i + 1, std::string(EmptyCellValue));
    }
}

std::vector<std::string> TCalculationSession::ValueTexts() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < FVarList.size(); ++i)
        texts.push_back(FCells.Cell(ValueColumn, static_cast<int>(i) + 1));
    return texts;
}

std::string TCalculationSession::Compute(std::string_view formula) {
    FIntermediateLog.clear();
    FVarValues.assign(FVarList.size(), 0.0);
    const double value = EvaluateFormula(formula, FVarList, ValueTexts(), FVarValues);
    std::string result = FormatResult(value);
    AppendLogRecords(formula, result);
    return result;
}

TFormulaInputs TCalculationSession::InputsAsTyped(std::string_view declarationText,
                                                  std::string formula) const {
    TFormulaInputs inputs{std::move(formula), ::ParseVariableList(declarationText), {}};
    for (std::size_t i = 0; i < inputs.Names.size(); ++i) {
        const std::string& text = FCells.Cell(ValueColumn, static_cast<int>(i) + 1);
        inputs.ValueTexts.push_back(text.empty() ? std::string(EmptyCellValue) : text);
    }
    return inputs;
}

void TCalculationSession::AppendLogRecords(std::string_view formula, const std::string& result) {
    std::vector<std::string> variableLines;
    for (size_t i = 0; i < FVarList.size(); ++i)
        variableLines.push_back(FVarList[i] + ": " +
                                FCells.Cell(ValueColumn, static_cast<int>(i) + 1));
    const std::string formulaLine = "Formula: F = " + std::string(formula);

    FIntermediateLog.push_back(formulaLine);
    FIntermediateLog.insert(FIntermediateLog.end(), variableLines.begin(), variableLines.end());
    FIntermediateLog.push_back("F value: " + result);

    ++FSessionCount;
    std::string separator = "- - ";
    separator += std::to_string(FSessionCount);
    separator += " - - - - - - - - -";
    FSessionLog.push_back(std::move(separator));
    FSessionLog.push_back(formulaLine);
    FSessionLog.insert(FSessionLog.end(), variableLines.begin(), variableLines.end());
    FSessionLog.push_back("Y value: " + result);
}

void TCalculationSession::SetValueOf(std::string_view declarationText, std::string_view name,
                                     std::string valueText) {
    ParseVariableList(declarationText);
    for (std::size_t i = 0; i < FVarList.size(); ++i) {
        if (!SameVariableName(FVarList[i], name)) continue;
        FCells.SetCell(ValueColumn, static_cast<int>(i) + 1, std::move(valueText));
        return;
    }
    throw ESweepError(FormatMessage(SweepMessages::NotDeclared, name));
}

void TCalculationSession::LoadPredefinedCells(const TPredefinedFormula& entry) {
    for (size_t i = 0; i < entry.Names.size(); ++i) {
        FCells.SetCell(NameColumn, static_cast<int>(i) + 1, entry.Names[i]);
        FCells.SetCell(ValueColumn, static_cast<int>(i) + 1, entry.SampleValues[i]);
    }
}

TSavedFormula TCalculationSession::Snapshot(std::string name, std::string_view declarationText,
                                            std::string formula) {
    ParseVariableList(declarationText);
    return {std::move(name), std::string(declarationText), ValueTexts(), std::move(formula), {}};
}
