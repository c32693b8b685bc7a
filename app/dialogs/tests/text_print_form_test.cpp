// The report print window: closing empties it, printing into a PDF file gives the
// report's lines in order on as many pages as needed, and without a printer Print
// reports an error and keeps the window open.
#include "app/dialogs/text_print_form.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "app/dialogs/tests/test_application.h"

namespace {

// Runs a poppler tool on a file and returns its standard output.
QString RunTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " not found: run scripts/deps.sh (poppler-utils)";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(20000)) << tool.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& file) {
    return RunTool("pdftotext", {"-layout", file, "-"});
}

QString PdfInfoField(const QString& file, const QString& field) {
    const QString info = RunTool("pdfinfo", {file});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

QString WithoutBlanks(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// The first line that does not appear in the text after the lines before it, or
// an empty string when all appear in order. Blanks are ignored: text extraction
// drops some of them (a separator line "- - 1 - - -" reads "--1---").
QString FirstMissingLine(const QString& text, const QStringList& lines) {
    const QString all = WithoutBlanks(text);
    qsizetype from = 0;
    for (const QString& line : lines) {
        from = all.indexOf(WithoutBlanks(line), from);
        if (from < 0) return line;
        from += WithoutBlanks(line).size();
    }
    return {};
}

bool ContainsInOrder(const QString& text, const QStringList& lines) {
    return FirstMissingLine(text, lines).isEmpty();
}

QStringList SessionLog(int records) {
    QStringList lines;
    for (int i = 1; i <= records; ++i) {
        lines << QStringLiteral("- - %1 - - - - - - - - -").arg(i)
              << QStringLiteral("Formula: F = 5.22 - 5.44E-4 * (x - %1)").arg(800 + i)
              << QStringLiteral("x: %1").arg(i) << QStringLiteral("Y value: %1.5").arg(i);
    }
    return lines;
}

class TextPrintFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        TestApp().Errors.clear();
    }
    QString PdfPath(const QString& name) const { return FDir.filePath(name); }
    void PrintToPdf(const QString& file) {
        FForm.Printer().setOutputFormat(QPrinter::PdfFormat);
        FForm.Printer().setOutputFileName(file);
        FForm.Button1Click();
    }

    QTemporaryDir FDir;
    TTextPrintForm FForm;
};

TEST_F(TextPrintFormTest, WindowHasItsCaptionButtonsAndEditableText) {
    EXPECT_EQ(FForm.windowTitle(), "Print report");
    EXPECT_EQ(FForm.Button3->text(), "Printer &Setup");
    EXPECT_EQ(FForm.Button1->text(), "&Print");
    EXPECT_EQ(FForm.Button2->text(), "&Close");
    EXPECT_FALSE(FForm.RichEdit1->isReadOnly());
    EXPECT_TRUE(FForm.isModal());
    EXPECT_EQ(FForm.size(), QSize(638, 279));
    QWidget* first = FForm.nextInFocusChain();
    while (first != &FForm && !(first->focusPolicy() & Qt::TabFocus))
        first = first->nextInFocusChain();
    EXPECT_EQ(first, FForm.Button3) << "Printer Setup comes first in the tab order";
}

TEST_F(TextPrintFormTest, SetReportLinesReplacesTheWholeTextOneParagraphPerLine) {
    FForm.SetReportLines({"old 1", "old 2", "old 3"});
    FForm.SetReportLines({"Formula: F = x", "x: 2", "F value: 2"});
    EXPECT_EQ(FForm.RichEdit1->toPlainText(), "Formula: F = x\nx: 2\nF value: 2");
    EXPECT_EQ(FForm.RichEdit1->document()->blockCount(), 3);
    FForm.SetReportLines({});
    EXPECT_TRUE(FForm.RichEdit1->toPlainText().isEmpty());
}

// Every way of closing the window empties it, and the next report starts clean.
TEST_F(TextPrintFormTest, ClosingByAnyMeansEmptiesTheReport) {
    const std::vector<std::pair<const char*, std::function<void(TTextPrintForm&)>>> ways = {
        {"Close button", [](TTextPrintForm& f) { QTest::mouseClick(f.Button2, Qt::LeftButton); }},
        {"close box (close event)", [](TTextPrintForm& f) { f.close(); }},
        {"Escape key", [](TTextPrintForm& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
        {"Alt+C", [](TTextPrintForm& f) { QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier); }},
    };
    for (const auto& [name, closeIt] : ways) {
        SCOPED_TRACE(name);
        FForm.SetReportLines({"Formula: F = 1+1", "F value: 2"});
        bool wasShown = false;
        TModalDriver driver([&](QWidget* modal) {
            wasShown = (modal == &FForm) && FForm.RichEdit1->toPlainText().contains("F value: 2");
            closeIt(FForm);
        });
        FForm.exec();
        EXPECT_TRUE(wasShown);
        EXPECT_FALSE(FForm.isVisible());
        EXPECT_TRUE(FForm.RichEdit1->toPlainText().isEmpty());
    }
}

TEST_F(TextPrintFormTest, PrintsTheLinesInOrderAsOneDocumentTitledReport) {
    const QStringList lines = {"Formula: F = 5.22 - 5.44E-4 * (x - 817)", "x: 2",
                               "F value: 5.66336"};
    FForm.SetReportLines(lines);
    const QString first = PdfPath("first.pdf");
    PrintToPdf(first);
    EXPECT_TRUE(ContainsInOrder(PdfText(first), lines)) << PdfText(first).toStdString();
    EXPECT_EQ(PdfInfoField(first, "Title"), "Report");
    EXPECT_EQ(PdfInfoField(first, "Pages"), "1");
    EXPECT_EQ(FForm.RichEdit1->toPlainText(), lines.join('\n')) << "printing keeps the report";

    // Printing again gives an identical second job.
    const QString second = PdfPath("second.pdf");
    PrintToPdf(second);
    EXPECT_EQ(PdfText(second), PdfText(first));
}

TEST_F(TextPrintFormTest, ALongLogFillsSeveralPagesInOrder) {
    const QStringList lines = SessionLog(60); // 240 lines
    FForm.SetReportLines(lines);
    const QString file = PdfPath("long.pdf");
    PrintToPdf(file);
    const QString text = PdfText(file);
    EXPECT_EQ(FirstMissingLine(text, lines), "");
    EXPECT_GE(PdfInfoField(file, "Pages").toInt(), 3);
    EXPECT_EQ(PdfInfoField(file, "Title"), "Report");
}

// A line longer than the page is wrapped at the page width, not cut off.
TEST_F(TextPrintFormTest, ALongLineIsWrappedAtThePageWidth) {
    QStringList words;
    for (int i = 1; i <= 80; ++i)
        words << QStringLiteral("word%1").arg(i);
    FForm.SetReportLines({"Formula: F = " + words.join(' '), "F value: 1"});
    const QString file = PdfPath("wrapped.pdf");
    PrintToPdf(file);
    const QStringList printed = PdfText(file).split('\n', Qt::SkipEmptyParts);
    const auto lineOf = [&](const QString& word) {
        const QRegularExpression whole(word + "\\b");
        for (qsizetype i = 0; i < printed.size(); ++i)
            if (printed[i].contains(whole)) return i;
        return qsizetype(-1);
    };
    ASSERT_GE(lineOf("word1"), 0);
    ASSERT_GE(lineOf("word80"), 0) << "the end of the long line is missing";
    EXPECT_GT(lineOf("word80"), lineOf("word1")) << "the long line was not wrapped";
    EXPECT_GT(lineOf("F value"), lineOf("word80"));
}

TEST_F(TextPrintFormTest, AnEmptyReportPrintsOneEmptyPage) {
    FForm.SetReportLines({});
    const QString file = PdfPath("empty.pdf");
    PrintToPdf(file);
    EXPECT_EQ(PdfInfoField(file, "Pages"), "1");
    EXPECT_EQ(PdfInfoField(file, "Title"), "Report");
    EXPECT_TRUE(PdfText(file).trimmed().isEmpty());
}

TEST_F(TextPrintFormTest, APdfFileThatCannotBeWrittenIsAnError) {
    FForm.SetReportLines({"x: 2"});
    try {
        PrintToPdf(PdfPath("no/such/folder/report.pdf"));
        ADD_FAILURE() << "no error";
    } catch (const EPrintError& error) {
        EXPECT_STREQ(error.what(), PrintMessages::CannotOpen);
    }
}

// Without a printer and before one (or a PDF file) is chosen, Print raises the
// error; through the application's error guard the window stays open with its text.
TEST_F(TextPrintFormTest, WithoutAPrinterPrintReportsAnErrorAndTheWindowStaysOpen) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    FForm.SetReportLines({"Formula: F = 2", "F value: 2"});
    try {
        FForm.Button1Click();
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(),
                     "No printer is available. Choose one, or a PDF file, with Printer Setup");
    }

    bool stillOpen = false;
    QString textAfter;
    TModalDriver driver([&](QWidget*) {
        QTest::mouseClick(FForm.Button1, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([] { return !TestApp().Errors.isEmpty(); }, 2000));
        stillOpen = FForm.isVisible();
        textAfter = FForm.RichEdit1->toPlainText();
        FForm.Button2Click();
    });
    FForm.exec();
    EXPECT_EQ(
        TestApp().Errors,
        QStringList{"No printer is available. Choose one, or a PDF file, with Printer Setup."});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(textAfter, "Formula: F = 2\nF value: 2");
}

// Cancelling Printer Setup keeps the printer exactly as it was.
TEST_F(TextPrintFormTest, CancellingPrinterSetupChangesNothing) {
    QPrinter& printer = FForm.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath("chosen.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);

    QString caption;
    QString okText;
    TModalDriver driver([&](QWidget* modal) {
        caption = modal->windowTitle();
        if (auto* buttons = modal->findChild<QDialogButtonBox*>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        ASSERT_NE(qobject_cast<QPrintDialog*>(modal), nullptr);
        static_cast<QPrintDialog*>(modal)->reject();
    });
    FForm.Button3Click();
    EXPECT_TRUE(driver.Fired());
    EXPECT_EQ(caption, "Printer Setup");
    EXPECT_EQ(okText, "OK") << "the set-up dialog does not print";
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), PdfPath("chosen.pdf"));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

// What Printer Setup confirms is what the next Print uses.
TEST_F(TextPrintFormTest, PrinterSetupChoiceIsKeptForTheNextPrint) {
    QPrinter& printer = FForm.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath("setup.pdf"));
    printer.setPageOrientation(QPageLayout::Landscape);
    TModalDriver driver([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    FForm.Button3Click();
    EXPECT_TRUE(driver.Fired());

    FForm.SetReportLines({"x: 2", "F value: 2"});
    FForm.Button1Click();
    EXPECT_TRUE(ContainsInOrder(PdfText(PdfPath("setup.pdf")), {"x: 2", "F value: 2"}));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

} // namespace
