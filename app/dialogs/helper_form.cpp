// The documentation window.
#include "app/dialogs/helper_form.h"

#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/dialogs/dialog_resources.h"
#include "app/window_placement.h"

namespace {
constexpr int ClientWidth = 477;
constexpr int ClientHeight = 392;
} // namespace

QStringList DocumentationHeadings() {
    return {QStringLiteral("Zentavo - Multivariable Calculator"),
            QStringLiteral("How to work with the program."),
            QStringLiteral("The formula syntax."),
            QStringLiteral("Constants:{Mathematical constants}"),
            QStringLiteral("Constants:{Certain physical constants expressed in SI units}"),
            QStringLiteral("Principle of the compiler directives and calculating procedures:"),
            QStringLiteral("Functions and their descriptions"),
            QStringLiteral("Plot window and sweeps"),
            QStringLiteral("Solving for a variable"),
            QStringLiteral("Your own formulas"),
            QStringLiteral("Mortgage Formulas:"),
            QStringLiteral("Other formulas:")};
}

namespace {

// Fills the document with the documentation as rich text: one paragraph per line
// (blank lines included), the section titles bold.
void WriteDocumentation(QTextDocument* document) {
    const QStringList headings = DocumentationHeadings();
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor cursor(document);
    bool first = true;
    for (const QString& line : DocumentationText().split(QLatin1Char('\n'))) {
        if (!first) cursor.insertBlock();
        first = false;
        cursor.insertText(line, headings.contains(line) ? bold : plain);
    }
}

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
    // A reading margin: the text keeps clear of the frame and the scroll bar.
    RichEdit1->document()->setDocumentMargin(12);
    WriteDocumentation(RichEdit1->document());
    RichEdit1->moveCursor(QTextCursor::Start); // open at the top
}

void THelperForm::FormClick() {
    hide();
}

void THelperForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

// Escape closes the window, as it closes the program's other windows; the text
// passes the key on.
void THelperForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
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
    CentreOnFirstShow(*this);
    QWidget::showEvent(event);
}
