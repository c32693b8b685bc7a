// The documentation window.
#include "app/dialogs/helper_form.h"

#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTextEdit>

#include "app/dialogs/dialog_resources.h"

namespace {
constexpr int ClientWidth = 477;
constexpr int ClientHeight = 392;
} // namespace

QString DocumentationText() {
    EnsureDialogResources();
    QFile file(QStringLiteral(":/dialogs/documentation.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

THelperForm::THelperForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Documentation"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setGeometry(0, 0, ClientWidth, ClientHeight);
    Panel->installEventFilter(this);

    RichEdit1 = new QTextEdit(Panel);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(1, 1, ClientWidth - 2, ClientHeight - 2);
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    RichEdit1->setPlainText(DocumentationText());
}

void THelperForm::FormClick() {
    hide();
}

void THelperForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

bool THelperForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Panel->rect().contains(mouse->position().toPoint())) {
            FormClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void THelperForm::showEvent(QShowEvent* event) {
    // Centred on the screen the first time; afterwards it stays where the user put it.
    if (!FCentred) {
        FCentred = true;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}
