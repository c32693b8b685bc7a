// The working state behind the calculator window: the declared variables, the
// grid's cell texts, the numbers bound to the evaluator, and the two logs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/grid_cell_store.h"

// A formula with the declared variables and their value texts, as Compute would
// read them.
struct TFormulaInputs {
    std::string Formula;
    std::vector<std::string> Names, ValueTexts;
};

struct TPredefinedFormula;
struct TSavedFormula;

class TCalculationSession {
public:
    // An empty variable list, the grid with the placeholder row x / 2, empty logs and
    // a session count of 0.
    TCalculationSession();

    // Rebuilds the variable list from the declaration text and brings the grid into
    // line with it (UpdateVariableGrid).
    void ParseVariableList(std::string_view text);

    // Sets the row count to max(n, 1) + 1 and writes the headers and the names; an
    // empty value cell of a declared variable gets "2". With nothing declared, row 1
    // shows the placeholder x / 2 (overwriting its value). Other value texts stay.
    void UpdateVariableGrid();

    // Runs one computation with the current list and grid: empties the intermediate
    // log, evaluates the formula with the value cells, and on success returns the
    // result text and appends one record to each log. A failure raises the
    // exception unchanged and leaves both logs and the count as they were, with the
    // intermediate log empty.
    std::string Compute(std::string_view formula);

    // Writes a value text into the cell of one declared variable (names ignore case),
    // after bringing the list and the grid in line with the declaration text as
    // Compute does. Raises ESweepError when the name is not declared there.
    void SetValueOf(std::string_view declarationText, std::string_view name, std::string valueText);

    // The formula with the variables as Compute would see them, without changing
    // anything: the list parsed from the declaration text, each value text from the
    // grid (an empty cell counts as the EmptyCellValue that Compute's parse puts back).
    TFormulaInputs InputsAsTyped(std::string_view declarationText, std::string formula) const;

    // Writes a predefined formula's names and sample values into rows 1..k of the
    // grid without changing the row count; the next parse reveals them.
    void LoadPredefinedCells(const TPredefinedFormula& entry);

    // What Save keeps of the window: the list brought in line with its declaration
    // text as Compute does, then the list and the formula as typed with the value
    // text of each declared variable.
    TSavedFormula Snapshot(std::string name, std::string_view declarationText, std::string formula);

    const std::vector<std::string>& VarList() const noexcept { return FVarList; }
    const std::vector<double>& VarValues() const noexcept { return FVarValues; }
    TGridCellStore& Cells() noexcept { return FCells; }
    const TGridCellStore& Cells() const noexcept { return FCells; }
    // The text of the quantity box: the number of declared variables, "1" when none.
    const std::string& QuantityText() const noexcept { return FQuantityText; }

    const std::vector<std::string>& IntermediateLog() const noexcept { return FIntermediateLog; }
    const std::vector<std::string>& SessionLog() const noexcept { return FSessionLog; }
    int SessionCount() const noexcept { return FSessionCount; }
    // The value texts of the declared variables, from the grid, in declaration order.
    std::vector<std::string> ValueTexts() const;

private:
    void AppendLogRecords(std::string_view formula, const std::string& result);

    std::vector<std::string> FVarList;
    std::vector<double> FVarValues;
    TGridCellStore FCells;
    std::string FQuantityText;
    std::vector<std::string> FIntermediateLog; // the last successful computation
    std::vector<std::string> FSessionLog;      // every successful computation, oldest first
    int FSessionCount = 0;
};
