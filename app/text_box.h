// A one-line text box that keeps its text unselected when it is entered with Tab,
// so typing goes on where the cursor was instead of replacing the text, and that
// never cuts what the user types or pastes.
#pragma once

#include <QLineEdit>

// Lifts a line edit's length limit (32,767 characters by default, which would cut a
// long formula silently).
void LiftLengthLimit(QLineEdit* box);

class TTextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TTextBox(QWidget* parent = nullptr);
    TTextBox(const QString& text, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};
