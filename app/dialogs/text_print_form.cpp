// The report print window: the report text, printer set-up and printing.
#include "app/dialogs/text_print_form.h"

#include "app/application.h"

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QFrame>
#include <QIcon>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace {

constexpr int ClientWidth = 638;
constexpr int ClientHeight = 279;
constexpr int ButtonPanelWidth = 105;

// The font of the printed page.
QFont PrintFont() {
    QFont font(QStringLiteral("Sans Serif"), 10);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// True when Print has somewhere to go: a real printer, or a PDF file that the user
// (or a test) chose. With no printer installed, Qt quietly turns a fresh printer
// into a PDF printer without a file name; that counts as nowhere.
bool HasDestination(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty();
}

// Prints the text as one job titled "Report": laid out over the whole printable
// area of the page, wrapped at its width, on as many pages as it needs. An empty
// text still gives one (empty) page.
void PrintText(QPrinter& printer, const QString& text) {
    if (!HasDestination(printer)) throw EPrintError(PrintMessages::NoPrinter);
    printer.setDocName(QStringLiteral("Report"));
    printer.setFullPage(false);

    QPainter painter;
    if (!painter.begin(&printer)) throw EPrintError(PrintMessages::CannotOpen);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(PrintFont());
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    const QSizeF area(printer.width(), printer.height());
    document.setPageSize(area);

    const int pages = std::max(1, document.pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage()) break; // the check after end() reports the failure
        const QRectF band(0, page * area.height(), area.width(), area.height());
        painter.save();
        painter.translate(0, -band.top());
        painter.setClipRect(band);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = band;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    if (printer.printerState() == QPrinter::Error) throw EPrintError(PrintMessages::PrinterFailed);
}

} // namespace

// Made on first use: a printer loads the print plugin and the libraries it needs,
// which would otherwise cost every start of the program.
QPrinter& TTextPrintForm::Printer() {
    if (!FPrinter) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // A page border of 15 mm until the user sets other margins in Printer Setup;
        // the report fills the printable area inside it.
        printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        // Also names the PDF file that Printer Setup suggests ("Report.pdf").
        printer->setDocName(QStringLiteral("Report"));
        FPrinter = std::move(printer);
    }
    return *FPrinter;
}

TTextPrintForm::TTextPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Print report"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ButtonPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(ClientWidth - ButtonPanelWidth, 0, ButtonPanelWidth, ClientHeight);

    auto makeButton = [panel](const char* name, const QString& caption, int top) {
        auto* button = new QPushButton(caption, panel);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(8, top, 90, 25);
        return button;
    };
    Button3 = makeButton("Button3", QStringLiteral("Printer &Setup"), 8);
    Button1 = makeButton("Button1", QStringLiteral("&Print"), 38);
    Button2 = makeButton("Button2", QStringLiteral("&Close"), 68);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(0, 0, ClientWidth - ButtonPanelWidth, ClientHeight);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setTabChangesFocus(true);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    setTabOrder(Button3, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, RichEdit1);
    Button3->setFocus();

    connect(Button3, &QPushButton::clicked, this, &TTextPrintForm::Button3Click);
    connect(Button1, &QPushButton::clicked, this,
            [this] { RunHandler([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &TTextPrintForm::Button2Click);
}

TTextPrintForm::~TTextPrintForm() = default;

void TTextPrintForm::SetReportLines(const QStringList& lines) {
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
}

void TTextPrintForm::done(int result) {
    RichEdit1->clear();
    QDialog::done(result);
}

void TTextPrintForm::Button3Click() {
    QPrintDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    // The dialog only chooses; printing is the Print button's job.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText(QStringLiteral("OK"));
            ok->setIcon(QIcon());
        }
    }
    dialog.exec();
}

void TTextPrintForm::Button1Click() {
    PrintText(Printer(), RichEdit1->toPlainText());
}

void TTextPrintForm::Button2Click() {
    reject();
}
