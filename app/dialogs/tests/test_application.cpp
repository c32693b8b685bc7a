// The test program's application, modal driver and main.
#include "app/dialogs/tests/test_application.h"

#include <QDir>
#include <exception>
#include <gtest/gtest.h>

#include "app/dialogs/tests/modal_watchdog.h"

TTestApplication::TTestApplication(int& argc, char** argv) : TZentavoApplication(argc, argv) {
    SetErrorPresenter([this](const QString& text) { Errors << text; });
}

TTestApplication& TestApp() {
    return *static_cast<TTestApplication*>(QApplication::instance());
}

TModalDriver::TModalDriver(std::function<void(QWidget*)> action, int timeoutMs)
    : FAction(std::move(action)), FTimeoutMs(timeoutMs) {
    FClock.start();
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start(10);
}

TModalDriver::~TModalDriver() {
    FTimer.stop();
}

void TModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!FFired && modal != nullptr) {
        FFired = true;
        FAction(modal);
        return;
    }
    if (FClock.elapsed() < FTimeoutMs) return;
    FTimer.stop();
    if (!FFired)
        ADD_FAILURE() << "no modal window appeared";
    else if (modal != nullptr)
        ADD_FAILURE() << "a modal window was left open: " << modal->windowTitle().toStdString();
    CloseModalWindows();
}

int main(int argc, char** argv) {
    // Headless unless told otherwise; Qt wants a private runtime folder.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/zentavo-dialogs-tests-xdg");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS(); // listing needs no windows
    TTestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
