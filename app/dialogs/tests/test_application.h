// The test program's application: the calculator's error guard recording the text
// instead of showing a box, and a driver that runs a modal window from
// a polling timer so that no test can hang on exec().
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <ostream>

#include "app/application.h"

// The calculator's application, with a presenter that records what the error box
// would show instead of opening it.
class TTestApplication : public TZentavoApplication {
public:
    TTestApplication(int& argc, char** argv);

    // The texts the error display was given, oldest first.
    QStringList Errors;
};

TTestApplication& TestApp();

// Readable test failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{' << list.join(QStringLiteral(" | ")).toStdString() << '}';
}

// Waits for a modal window to become active, then calls the action with it once.
// Fails the test when none appears within the time limit, or when a modal window is
// still open when the time is up (and then closes it, so the test goes on).
class TModalDriver {
public:
    explicit TModalDriver(std::function<void(QWidget*)> action, int timeoutMs = 5000);
    ~TModalDriver();
    bool Fired() const { return FFired; }

private:
    void Poll();

    std::function<void(QWidget*)> FAction;
    QTimer FTimer;
    QElapsedTimer FClock;
    int FTimeoutMs;
    bool FFired = false;
};
