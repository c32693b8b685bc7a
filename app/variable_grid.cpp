// The variable grid: always-open value editors and grid-like keyboard moves.
#include "app/variable_grid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <algorithm>

#include "app/cell_editor_delegate.h"
#include "app/variable_grid_model.h"

TVariableGrid::TVariableGrid(TVariableGridModel* model, QWidget* parent)
    : QTableView(parent), FModel(model) {
    setModel(model);
    setItemDelegate(new TCellEditorDelegate(this));
    setTabKeyNavigation(false);
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setFixedHeight(fontMetrics().height() + 8);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(0, 90);
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { OpenEditors(); });
    OpenEditors();
}

void TVariableGrid::OpenEditors() {
    for (int row = 0; row < FModel->rowCount(); ++row) {
        if (ValueEditor(row)) continue;
        openPersistentEditor(FModel->index(row, 1));
        // The view selects a new editor's text; an editor that is merely shown
        // should not look selected.
        if (auto* line = qobject_cast<QLineEdit*>(ValueEditor(row))) line->deselect();
    }
}

void TVariableGrid::FitNameColumn() {
    constexpr int Narrowest = 90;
    const int widest = std::max(Narrowest, viewport()->width() * 3 / 5);
    setColumnWidth(0, std::clamp(sizeHintForColumn(0), Narrowest, widest));
}

QWidget* TVariableGrid::ValueEditor(int row) const {
    return indexWidget(FModel->index(row, 1));
}

void TVariableGrid::LeaveGrid(bool forward) {
    QWidget* candidate = this;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const bool inside = candidate == this || isAncestorOf(candidate);
        if (!inside && candidate->isEnabled() && candidate->isVisibleTo(window()) &&
            (candidate->focusPolicy() & Qt::TabFocus) && candidate->window() == window()) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (candidate != this);
}

void TVariableGrid::MoveFrom(QWidget* editor, int delta) {
    const int row = indexAt(editor->geometry().center()).row() + delta;
    if (row >= 0 && row < FModel->rowCount()) setCurrentIndex(FModel->index(row, 1));
}

void TVariableGrid::EditorFocused(QWidget* editor) {
    const QModelIndex index = indexAt(editor->geometry().center());
    if (index.isValid() && index.row() != currentIndex().row())
        setCurrentIndex(FModel->index(index.row(), 1));
}

// Tab and Shift+Tab hand their reason on: the editor selects its text itself. Coming
// back to the window (or from a popup) hands the focus on too, so that the first key
// typed reaches the editor as it left it; kept by the grid itself, that key would
// only open the editor and be lost.
void TVariableGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    FocusCurrentEditor(event->reason(), false);
}

bool TVariableGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger == CurrentChanged && !FocusIsInside()) return false;
    return QTableView::edit(index, trigger, event);
}

void TVariableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (FocusIsInside()) FocusCurrentEditor(Qt::OtherFocusReason, true);
}

void TVariableGrid::FocusCurrentEditor(Qt::FocusReason reason, bool select) {
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (QWidget* editor = ValueEditor(row)) {
        scrollTo(FModel->index(row, 1));
        if (!editor->hasFocus()) editor->setFocus(reason);
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && select) line->selectAll();
    }
}

bool TVariableGrid::FocusIsInside() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}
