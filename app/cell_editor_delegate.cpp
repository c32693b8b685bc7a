// Value editors that commit on every keystroke.
#include "app/cell_editor_delegate.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/text_box.h"
#include "app/variable_grid.h"

TCellEditorDelegate::TCellEditorDelegate(TVariableGrid* grid)
    : QStyledItemDelegate(grid), FGrid(grid) {}

QWidget* TCellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    LiftLengthLimit(editor);
    // Reached by clicking or through the grid; never a Tab stop of its own.
    editor->setFocusPolicy(Qt::ClickFocus);
    editor->setAccessibleName(QStringLiteral("Value of row %1").arg(index.row() + 1));
    connect(editor, &QLineEdit::textEdited, this,
            [this, editor] { emit const_cast<TCellEditorDelegate*>(this)->commitData(editor); });
    return editor;
}

void TCellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // The model echoes each keystroke back; leave the cursor where the user has it.
    if (line->text() != text) line->setText(text);
}

void TCellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

// The property that marks an editor entered by a mouse press: its text is selected
// when the button comes up (the press itself places the caret).
static const char* const SelectOnRelease = "zentavoSelectOnRelease";

bool TCellEditorDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && event->type() == QEvent::FocusIn) {
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            editor->setProperty(SelectOnRelease, true);
        FGrid->EditorFocused(editor);
    }
    if (editor && event->type() == QEvent::MouseButtonRelease &&
        editor->property(SelectOnRelease).toBool()) {
        editor->setProperty(SelectOnRelease, false);
        const bool handled = QStyledItemDelegate::eventFilter(object, event);
        if (!editor->hasSelectedText()) editor->selectAll(); // a drag keeps its selection
        return handled;
    }
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
        FGrid->LeaveGrid(!(key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Backtab:
        FGrid->LeaveGrid(false);
        return true;
    case Qt::Key_Up:
        FGrid->MoveFrom(editor, -1);
        return true;
    case Qt::Key_Down:
        FGrid->MoveFrom(editor, +1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FGrid->MoveFrom(editor, +1);
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}
