// Guards against a test that hangs on a modal window: closing what is left open,
// and a watchdog that fails the running test when a modal window stays open too long.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// Closes every modal window still open (a dialog is rejected), innermost first.
void CloseModalWindows();

// Checks ten times a second; a modal window open for longer than the limit fails the
// running test and is closed.
class TModalWatchdog {
public:
    explicit TModalWatchdog(int limitMs = 5000);

private:
    void Check();

    QTimer FTimer;
    QPointer<QWidget> FModal;
    QElapsedTimer FOpenFor;
    int FLimitMs;
};
