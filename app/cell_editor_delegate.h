// The value editors of the variable grid: frameless line edits that hand every
// keystroke to the model at once (Compute is pressed with an editor still open),
// and keys that move between rows or leave the grid like a desktop string grid.
#pragma once

#include <QStyledItemDelegate>

class TVariableGrid;

class TCellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TCellEditorDelegate(TVariableGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    // Tab and Shift+Tab leave the grid, Up and Down move to the neighbouring row,
    // Enter moves down (and stays on the last row), Escape does nothing; everything
    // else goes to the editor. A click that enters a cell selects its text.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TVariableGrid* FGrid; // not owned
};
