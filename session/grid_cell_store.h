// The texts of the variable grid, kept per (column, row) whatever the row count:
// rows hidden by a lower count keep their texts, and cells may be written beyond it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

// The value an empty cell of a declared variable shows and computes with.
inline constexpr std::string_view EmptyCellValue = "2";

class TGridCellStore {
public:
    static constexpr int ColumnCount = 2;

    // The text of a cell; empty for a cell never written.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

    // Rows shown, the header row included.
    int RowCount() const noexcept { return FRowCount; }
    void SetRowCount(int count) noexcept { FRowCount = count; }

private:
    std::map<std::pair<int, int>, std::string> FCells;
    int FRowCount = 2;
};
