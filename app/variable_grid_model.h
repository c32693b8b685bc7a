// The table model of the variable grid: a view of the session's cell store. Row 0
// of the store is the header; column 0 (names) is read-only, column 1 (values)
// editable.
#pragma once

#include <QAbstractTableModel>

class TGridCellStore;

class TVariableGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TVariableGridModel(TGridCellStore& cells, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Tells the views what the store now holds: rows added or removed at the end,
    // then every shown cell, one by one, so open editors take the new texts.
    void Sync();

private:
    TGridCellStore* FCells; // not owned
    int FShownRows;         // store rows without the header, as the views know them
};
