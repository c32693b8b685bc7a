// The variable grid SG_Variables: names in a read-only first column, a value editor
// always open in every row of the second. The keyboard focus of the grid always
// rests in the editor of the current row.
#pragma once

#include <QTableView>

class TVariableGridModel;

class TVariableGrid : public QTableView {
    Q_OBJECT

public:
    TVariableGrid(TVariableGridModel* model, QWidget* parent);

    // Opens the editors of rows that have none (after rows were added).
    void OpenEditors();
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
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void FocusCurrentEditor();
    bool FocusIsInside() const;

    TVariableGridModel* FModel; // not owned
};
