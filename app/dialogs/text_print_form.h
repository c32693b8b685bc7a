// The report print window: shows a report (the lines of one log), lets the user
// edit it, choose a printer or a PDF file, and prints it as one job titled "Report".
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

#include "platform/exceptions.h"

class QPrinter;
class QPushButton;
class QTextEdit;

// Raised by Print when there is nowhere to print, or when the printer fails.
class EPrintError : public Exception {
public:
    using Exception::Exception;
};

namespace PrintMessages {
inline constexpr const char* NoPrinter =
    "No printer is available. Choose one, or a PDF file, with Printer Setup";
inline constexpr const char* CannotOpen = "The printer or the PDF file could not be opened";
inline constexpr const char* PrinterFailed = "The printer reported an error while printing";
} // namespace PrintMessages

class TTextPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TTextPrintForm(QWidget* parent = nullptr);
    ~TTextPrintForm() override;

    // Replaces the whole text with the given lines, one paragraph per line.
    void SetReportLines(const QStringList& lines);

    // The printer that Print uses and Printer Setup configures, made on first use.
    // Tests point it at a PDF file (setOutputFormat(QPrinter::PdfFormat),
    // setOutputFileName).
    QPrinter& Printer();

    // Closing by any means (Close, the close box, Escape) empties the report.
    void done(int result) override;

public slots:
    void Button3Click(); // Printer Setup: choose printer, paper, orientation
    void Button1Click(); // Print: raises EPrintError when nothing can be printed
    void Button2Click(); // Close

public:
    // Child widgets, owned by the window through Qt's parent chain.
    QPushButton* Button3; // "Printer &Setup"
    QPushButton* Button1; // "&Print"
    QPushButton* Button2; // "&Close"
    QTextEdit* RichEdit1; // the report, editable before printing

private:
    std::unique_ptr<QPrinter> FPrinter; // null until the first Printer()
};
