// The plot window offscreen: it opens from the main window without taking the
// focus, plots the main window's formula, agrees with the sweep, reports failed
// points, and writes what it shows to the clipboard, CSV, images and a PDF.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "app/plot_window.h"
#include "app/tests/window_fixture.h"
#include "app/variable_grid.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"

namespace {

class PlotWindowTest : public WindowTest {
protected:
    // Opens the plot window with F7 and plots the given range.
    TPlotWindow* PlotRange(const QString& from, const QString& to, const QString& points = "201",
                           bool logarithmic = false) {
        Press(Qt::Key_F7);
        TPlotWindow* plot = window->PlotWindow();
        if (!plot) return nullptr;
        plot->LogBox->setChecked(logarithmic);
        plot->FromBox->setText(from);
        plot->ToBox->setText(to);
        plot->PointsBox->setText(points);
        QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !plot->Computing(); }, 10000));
        return plot;
    }
};

TEST_F(PlotWindowTest, PlotsTheFormulaAndAgreesWithCompute) {
    Press(Qt::Key_F7);
    ASSERT_TRUE(window->PlotWindow());
    EXPECT_EQ(window->PlotWindow()->windowTitle(), "Plot - Zentavo");
    EXPECT_EQ(window->PlotWindow()->VariableBox->currentText(), "x");
    EXPECT_EQ(window->PlotWindow()->FromBox->text(), "1") << "around the value 2";
    EXPECT_EQ(window->PlotWindow()->ToBox->text(), "3");
    Reactivate();
    EXPECT_EQ(Focused(), window->Edit1) << "the speed button takes no focus";

    TPlotWindow* plot = PlotRange("800", "1400", "7");
    ASSERT_EQ(plot->Points().size(), 7u);
    EXPECT_EQ(plot->StatusLine->text(), "7 points");
    Retype(window->Edit1, "5.22 - 5.44E-4 * (x - 817)");
    for (int i = 0; i < 7; ++i) {
        window->SG_Variables->setFocus();
        Retype(ValueEditor(0), QString::number(800 + 100 * i));
        QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
        EXPECT_EQ(
            QString::fromStdString(FormatResult(plot->Points()[static_cast<std::size_t>(i)].Value)),
            window->EditYValue->text());
    }
    EXPECT_TRUE(window->Session().IntermediateLog().size() > 0);
}

TEST_F(PlotWindowTest, FailedPointsAreNamedAndTheRestIsPlotted) {
    Retype(window->Edit1, "ln(x)");
    TPlotWindow* plot = PlotRange("-1", "1", "5");
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->StatusLine->text(), "3 of 5 points failed: Invalid floating point operation.");
    EXPECT_EQ(plot->TableText(), "x\tF\n-1\terror: Invalid floating point operation.\n"
                                 "-0.5\terror: Invalid floating point operation.\n"
                                 "0\terror: Floating point division by zero.\n"
                                 "0.5\t-0.693147180559945\n1\t0\n");
    QTest::mouseClick(plot->CopyButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), plot->TableText());
    plot->Tabs->setCurrentWidget(plot->TableView);
    plot->TableView->selectRow(4);
    QTest::keyClick(plot->TableView, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t0\n") << "the selection, by Ctrl+C";
    EXPECT_TRUE(window->Session().IntermediateLog().empty()) << "a plot writes no log";
}

// Opened from a main window in a corner, the plot window lies whole on the screen.
TEST_F(PlotWindowTest, OpensWholeOnTheScreen) {
    const QRect area = window->screen()->availableGeometry();
    window->move(area.topLeft());
    Press(Qt::Key_F7);
    const QRect placed = window->PlotWindow()->frameGeometry();
    EXPECT_TRUE(area.contains(placed.topLeft())) << placed.x() << "," << placed.y();
    if (placed.width() <= area.width() && placed.height() <= area.height()) {
        EXPECT_TRUE(area.contains(placed)) << placed.right() << "," << placed.bottom();
    }
}

// F7 leaves the focus in From; Enter plots from the variable list too; each Plot
// reads the variables as they are now; what is wrong is said in the window's words.
TEST_F(PlotWindowTest, FocusEnterAndTheCurrentVariables) {
    Press(Qt::Key_F7);
    TPlotWindow* plot = window->PlotWindow();
    EXPECT_EQ(plot->focusWidget(), plot->FromBox);
    QTest::keyClick(plot->VariableBox, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plot->Computing(); }, 10000));
    EXPECT_EQ(plot->Points().size(), 201u) << "Enter in the variable list plots";

    Retype(window->V_Q, "t");
    Retype(window->Edit1, "t*2");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(" | ").toStdString();
    EXPECT_EQ(plot->VariableBox->currentText(), "t");

    plot->FromBox->clear();
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    Retype(window->V_Q, "");
    Retype(window->Edit1, "2*3");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    EXPECT_EQ(errors, (QStringList{"From is empty.", "The formula has no variable to sweep."}));
}

TEST_F(PlotWindowTest, BadInputGivesItsMessageAndNothingRuns) {
    Press(Qt::Key_F7);
    TPlotWindow* plot = window->PlotWindow();
    plot->FromBox->setText("2");
    plot->ToBox->setText("2");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    EXPECT_EQ(errors, QStringList{"From and To are the same."});
    EXPECT_FALSE(plot->Computing());
}

// A refused press changes nothing: the printed caption still names what the curve
// shows, and a sweep that is running goes on to its last point.
TEST_F(PlotWindowTest, ARefusedPressLeavesThePlotAndARunningSweepAlone) {
    TPlotWindow* plot = PlotRange("1", "3", "3");
    ASSERT_TRUE(plot);
    const QString caption = plot->Caption();
    Retype(window->Edit1, "x*3");
    plot->ToBox->setText("1");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    EXPECT_EQ(errors, QStringList{"From and To are the same."});
    EXPECT_EQ(plot->Caption(), caption);

    plot->ToBox->setText("3");
    plot->PointsBox->setText("1000000");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    ASSERT_TRUE(plot->Computing());
    plot->PointsBox->setText("1");
    QTest::mouseClick(plot->PlotButton, Qt::LeftButton);
    EXPECT_TRUE(plot->Computing()) << "the running sweep goes on";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plot->Computing(); }, 20000));
    EXPECT_EQ(plot->Points().size(), 1000000u);
    EXPECT_TRUE(plot->Progress->isHidden());
    EXPECT_TRUE(plot->Caption().startsWith("F = x*3"));
}

// A point computed alone between failed ones is drawn, as a dot.
TEST_F(PlotWindowTest, ALonePointIsDrawn) {
    Retype(window->Edit1, "sqrt(-x*x)");
    TPlotWindow* plot = PlotRange("-1", "1", "3");
    ASSERT_TRUE(plot);
    const QList<QAbstractSeries*> series = plot->ChartView->chart()->series();
    ASSERT_EQ(series.size(), 1);
    EXPECT_EQ(series[0]->type(), QAbstractSeries::SeriesTypeScatter);
    // the table's numbers line up at the right, its messages at the left
    const QAbstractItemModel* table = plot->TableView->model();
    const auto alignment = [&](int row, int column) {
        return table->index(row, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(1, 0), Qt::AlignRight);
    EXPECT_EQ(alignment(1, 1), Qt::AlignRight);
    EXPECT_EQ(alignment(0, 1), Qt::AlignLeft);
}

// Every range the sweep accepts gets both axes with ticks that tell apart, written as
// the result box writes numbers; the units say how far from 1 they are.
TEST_F(PlotWindowTest, EveryRangeGetsBothAxesWithReadableTicks) {
    const struct {
        const char *Formula, *From, *To, *Points;
        bool Logarithmic = false;
    } ranges[] = {{"x", "-1.7E308", "1.7E308", "5"}, {"x", "1", "1.0000000000001", "5"},
                  {"x", "0", "4.9E-324", "5"},       {"ln(x)", "-1", "1", "5"},
                  {"x*1E6", "0", "1", "11"},         {"x", "1", "1E8", "9", true},
                  {"x", "1", "50", "9", true},       {"x", "2", "3", "5", true}};
    for (const auto& r : ranges) {
        Retype(window->Edit1, r.Formula);
        TPlotWindow* plot = PlotRange(r.From, r.To, r.Points, r.Logarithmic);
        ASSERT_TRUE(plot);
        const QList<QAbstractAxis*> axes = plot->ChartView->chart()->axes();
        ASSERT_EQ(axes.size(), 2) << r.From << ".." << r.To;
        for (QAbstractAxis* axis : axes) {
            auto* ticks = qobject_cast<QCategoryAxis*>(axis);
            ASSERT_TRUE(ticks) << r.From << ".." << r.To;
            const QStringList labels = ticks->categoriesLabels();
            EXPECT_GE(labels.size(), 2) << axis->titleText().toStdString();
            EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
            for (const QString& label : labels)
                EXPECT_FALSE(label.contains('e')) << label.toStdString();
        }
    }
}

// The mouse over the chart names the nearest point in the chart itself.
TEST_F(PlotWindowTest, TheMouseOverTheChartNamesTheNearestPoint) {
    TPlotWindow* plot = PlotRange("1", "3", "3");
    ASSERT_TRUE(plot);
    plot->Tabs->setCurrentWidget(plot->ChartView);
    plot->resize(900, 600);
    QApplication::processEvents();
    const QPointF middle = plot->ChartView->chart()->plotArea().center();
    QMouseEvent move(QEvent::MouseMove, middle, plot->ChartView->viewport()->mapToGlobal(middle),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot->ChartView->viewport(), &move);
    QStringList shown;
    for (QGraphicsItem* item : plot->ChartView->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->isVisible())
            shown << text->text();
    EXPECT_TRUE(shown.contains("x = 2    F = 5.66336")) << shown.join(" | ").toStdString();
}

TEST_F(PlotWindowTest, WritesCsvImagesAndPdf) {
    SetDecimalSeparator(',');
    Retype(window->Edit1, "5,22 - 5,44E-4 * (x - 817)");
    TPlotWindow* plot = PlotRange("1", "3", "3");
    ASSERT_TRUE(plot);
    QTemporaryDir dir;
    plot->SaveCsv(dir.filePath("points.csv"));
    QFile csv(dir.filePath("points.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()), "x;F\n1;5,663904\n2;5,66336\n3;5,662816\n")
        << "';' between fields with the separator ','";
    plot->SaveCsv(dir.filePath("typed"));
    EXPECT_TRUE(QFile::exists(dir.filePath("typed.csv"))) << "\".csv\" added when none was typed";
    plot->SaveImage(dir.filePath("plot"));
    const QImage picture(dir.filePath("plot.png"));
    EXPECT_EQ(picture.size(), QSize(1600, 1000)) << "drawn anew for a report, \".png\" added";
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    plot->SaveImage(dir.filePath("plot.svg"));
    QFile svg(dir.filePath("plot.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("plot.pdf"));
    plot->PrintTo(printer);
    QFile pdf(dir.filePath("plot.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
}

} // namespace
