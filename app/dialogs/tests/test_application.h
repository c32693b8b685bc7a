// The test program's application: an error guard like the calculator's (it records
// the message instead of showing a box), and a driver that runs a modal window from
// a polling timer so that no test can hang on exec().
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <ostream>

class TTestApplication : public QApplication {
public:
    TTestApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;

    // Messages of the exceptions that left an event handler, oldest first.
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
