// Entry of the window tests: the calculator's own application object (for its error
// guard) and a watchdog that fails the running test and closes any modal window
// left open for more than five seconds, so a test never hangs.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery at build time) needs no display.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    TZentavoApplication application(argc, argv);
    QPointer<QWidget> modal;
    QElapsedTimer openFor;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* current = QApplication::activeModalWidget();
        if (current != modal) {
            modal = current;
            openFor.start();
            return;
        }
        if (modal && openFor.elapsed() > 5000) {
            ADD_FAILURE() << "modal window left open: " << modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal.data()))
                dialog->reject();
            else
                modal->close();
        }
    });
    watchdog.start(100);
    return RUN_ALL_TESTS();
}
