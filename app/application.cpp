// The application object: title, style, error display and the last-resort guard.
#include "app/application.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <clocale>

#include "app/group_frame_style.h"
#include "platform/error_display_text.h"

TZentavoApplication::TZentavoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(Title);
    setDesktopFileName("zentavo");
    // QApplication adopts the user's C locale; keep the C library's number format
    // neutral so nothing below ever reads or writes a number with it.
    std::setlocale(LC_NUMERIC, "C");
    DrawGroupFramesInCode(*this);
}

TZentavoApplication* TZentavoApplication::Instance() {
    return static_cast<TZentavoApplication*>(QCoreApplication::instance());
}

namespace {

// The text as the box shows it: a word too wide for a line (a long value quoted in
// the message has no space to break at) is elided in its middle, so the box wraps
// at the spaces and stays inside the screen.
QString FittedText(const QString& text, const QFontMetrics& metrics, int lineWidth) {
    QStringList words = text.split(QLatin1Char(' '));
    for (QString& word : words)
        if (metrics.horizontalAdvance(word) > lineWidth)
            word = metrics.elidedText(word, Qt::ElideMiddle, lineWidth);
    return words.join(QLatin1Char(' '));
}

} // namespace

void TZentavoApplication::PresentError(const QString& text) {
    if (FPresenter) {
        FPresenter(text);
        return;
    }
    // The box takes the focus; the widget that had it gets it back afterwards, a
    // cell editor with its caret where it was.
    const QPointer<QWidget> focused = focusWidget();
    QMessageBox box(QMessageBox::Critical, Title, text, QMessageBox::Ok, activeWindow());
    const QScreen* screen = box.screen();
    const int lineWidth = screen ? screen->availableGeometry().width() / 2 : 480;
    const QString shown = FittedText(text, box.fontMetrics(), lineWidth);
    if (shown != text) {
        box.setText(shown);
        box.setDetailedText(text); // the whole text, to read or copy
    }
    box.exec();
    if (focused) focused->setFocus(Qt::OtherFocusReason);
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
