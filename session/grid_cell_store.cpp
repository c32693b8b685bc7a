// Cell texts stored independently of the row count.
#include "session/grid_cell_store.h"

const std::string& TGridCellStore::Cell(int column, int row) const {
    static const std::string empty;
    auto found = FCells.find({column, row});
    return found == FCells.end() ? empty : found->second;
}

void TGridCellStore::SetCell(int column, int row, std::string text) {
    if (text.empty())
        FCells.erase({column, row});
    else
        FCells[{column, row}] = std::move(text);
}
