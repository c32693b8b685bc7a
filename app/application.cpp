// The application object: title, error display and the last-resort guard.
#include "app/application.h"

#include <QMessageBox>
#include <QTimer>
#include <clocale>

#include "platform/error_display_text.h"

TZentavoApplication::TZentavoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(Title);
    setDesktopFileName("zentavo");
    // QApplication adopts the user's C locale; keep the C library's number format
    // neutral so nothing below ever reads or writes a number with it.
    std::setlocale(LC_NUMERIC, "C");
}

TZentavoApplication* TZentavoApplication::Instance() {
    return static_cast<TZentavoApplication*>(QCoreApplication::instance());
}

void TZentavoApplication::PresentError(const QString& text) {
    if (FPresenter) {
        FPresenter(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, Title, text, QMessageBox::Ok, activeWindow());
    box.exec();
}

void TZentavoApplication::SetErrorPresenter(std::function<void(const QString&)> presenter) {
    FPresenter = std::move(presenter);
}

QString TZentavoApplication::CurrentErrorText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromStdString(ErrorDisplayText(e.what()));
    } catch (...) {
        return QString::fromStdString(ErrorDisplayText("Unknown error"));
    }
}

bool TZentavoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        PresentError(CurrentErrorText());
    }
    return true;
}

void RunFocusHandler(const std::function<void()>& body) noexcept {
    try {
        body();
    } catch (...) {
        const QString text = TZentavoApplication::CurrentErrorText();
        QTimer::singleShot(0, TZentavoApplication::Instance(),
                           [text] { TZentavoApplication::Instance()->PresentError(text); });
    }
}
