// The variable grid's model over the cell store.
#include "app/variable_grid_model.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "session/grid_cell_store.h"

TVariableGridModel::TVariableGridModel(TGridCellStore& cells, QObject* parent)
    : QAbstractTableModel(parent), FCells(&cells), FShownRows(cells.RowCount() - 1) {}

int TVariableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FShownRows;
}

int TVariableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TGridCellStore::ColumnCount;
}

QVariant TVariableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(FCells->Cell(index.column(), index.row() + 1));
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QApplication::palette().brush(QPalette::Button);
    return {};
}

QVariant TVariableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromStdString(FCells->Cell(section, 0));
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TVariableGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 1) return Qt::ItemIsEnabled | Qt::ItemIsEditable;
    return Qt::ItemIsEnabled;
}

bool TVariableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 1 || role != Qt::EditRole) return false;
    const std::string text = value.toString().toStdString();
    if (FCells->Cell(1, index.row() + 1) == text) return true;
    FCells->SetCell(1, index.row() + 1, text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void TVariableGridModel::Sync() {
    const int rows = FCells->RowCount() - 1;
    if (rows > FShownRows) {
        beginInsertRows({}, FShownRows, rows - 1);
        FShownRows = rows;
        endInsertRows();
    } else if (rows < FShownRows) {
        beginRemoveRows({}, rows, FShownRows - 1);
        FShownRows = rows;
        endRemoveRows();
    }
    emit headerDataChanged(Qt::Horizontal, 0, TGridCellStore::ColumnCount - 1);
    for (int row = 0; row < FShownRows; ++row)
        for (int column = 0; column < TGridCellStore::ColumnCount; ++column)
            emit dataChanged(index(row, column), index(row, column));
}
