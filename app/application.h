// The calculator's application object and its error display: every exception that
// an event handler raises is shown in a message box captioned "Zentavo", and the
// program goes on with the next event.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

class TZentavoApplication : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* Title = "Zentavo";

    TZentavoApplication(int& argc, char** argv);

    static TZentavoApplication* Instance();

    // Shows the text (already in display form) with the current presenter: by default
    // a modal message box with the title, an error icon and an OK button.
    void PresentError(const QString& text);
    // Replaces the presenter (tests read the text without a modal loop); an empty
    // function restores the message box.
    void SetErrorPresenter(std::function<void(const QString&)> presenter);

    // The display text of the exception in flight: its message with "." appended
    // by ErrorDisplayText. Call only inside a catch block.
    static QString CurrentErrorText();

    // Last resort: an exception that escapes an event handler is shown here.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const QString&)> FPresenter;
};

// Runs a handler body; an exception is shown at once. For clicks and other handlers
// that may open a modal box themselves.
template <typename F> void RunHandler(F&& body) noexcept {
    try {
        body();
    } catch (...) {
        TZentavoApplication::Instance()->PresentError(TZentavoApplication::CurrentErrorText());
    }
}

// Runs a focus or key handler body; an exception is shown once the current event
// has been handled, so no box opens while the focus is changing hands.
void RunFocusHandler(const std::function<void()>& body) noexcept;
