// The tests' modal watchdog.
#include "app/dialogs/tests/modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

void CloseModalWindows() {
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* open = QApplication::activeModalWidget();
        if (open == nullptr) break;
        if (auto* dialog = qobject_cast<QDialog*>(open))
            dialog->reject();
        else
            open->close();
    }
}

TModalWatchdog::TModalWatchdog(int limitMs) : FLimitMs(limitMs) {
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Check(); });
    FTimer.start(100);
}

void TModalWatchdog::Check() {
    QWidget* current = QApplication::activeModalWidget();
    if (current != FModal) {
        FModal = current;
        FOpenFor.start();
        return;
    }
    if (FModal && FOpenFor.elapsed() > FLimitMs) {
        ADD_FAILURE() << "modal window left open: " << FModal->metaObject()->className();
        CloseModalWindows();
    }
}
