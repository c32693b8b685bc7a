// Text box without select-all on entry and without a length limit.
#include "app/text_box.h"

#include <limits>

void LiftLengthLimit(QLineEdit* box) {
    box->setMaxLength(std::numeric_limits<int>::max());
}

TTextBox::TTextBox(QWidget* parent) : QLineEdit(parent) {
    LiftLengthLimit(this);
}

TTextBox::TTextBox(const QString& text, QWidget* parent) : QLineEdit(parent) {
    LiftLengthLimit(this);
    setText(text);
}

void TTextBox::focusInEvent(QFocusEvent* event) {
    const int cursor = cursorPosition();
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!hadSelection && hasSelectedText()) {
        deselect();
        setCursorPosition(cursor);
    }
}
