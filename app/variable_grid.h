// The variable grid SG_Variables: names in a read-only first column, a value editor
// always open in every row of the second. The keyboard focus of the grid always
// rests in the editor of the current row. Entering a value cell (Tab, arrow, Enter,
// a click) selects its text, so typing replaces it, as in a spreadsheet.
#pragma once

#include <QTableView>

class TVariableGridModel;

class TVariableGrid : public QTableView {
    Q_OBJECT

public:
    TVariableGrid(TVariableGridModel* model, QWidget* parent);

    // Opens the editors of rows that have none (after rows were added).
    void OpenEditors();
    // Widens the name column to its longest name (within limits, so a value column
    // stays), after the names changed.
    void FitNameColumn();
    // The value editor of a row (0 = first variable), or nullptr.
    QWidget* ValueEditor(int row) const;

    // Moves the focus to the next (or previous) control after the grid.
    void LeaveGrid(bool forward);
    // Moves the current row by delta from the row of the given editor.
    void MoveFrom(QWidget* editor, int delta);
    // An editor got the focus: its row becomes the current row.
    void EditorFocused(QWidget* editor);

protected:
    void focusInEvent(QFocusEvent* event) override;
    // The view gives an open editor the focus whenever its row becomes current,
    // even when rows are removed while the user is in another control: only a
    // grid that has the focus follows its current row.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Gives the current row's editor the focus (with the reason the grid got it);
    // select: its text selected, as on entering a cell by arrow or Enter.
    void FocusCurrentEditor(Qt::FocusReason reason, bool select);
    bool FocusIsInside() const;

    TVariableGridModel* FModel; // not owned
};
