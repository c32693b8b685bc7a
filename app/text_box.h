// A one-line text box that keeps its text unselected when it is entered with Tab,
// so typing goes on where the cursor was instead of replacing the text.
#pragma once

#include <QLineEdit>

class TTextBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};
