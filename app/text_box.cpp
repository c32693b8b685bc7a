// Text box without select-all on entry.
#include "app/text_box.h"

void TTextBox::focusInEvent(QFocusEvent* event) {
    const int cursor = cursorPosition();
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!hadSelection && hasSelectedText()) {
        deselect();
        setCursorPosition(cursor);
    }
}
