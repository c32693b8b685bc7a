// Solving in the plot window offscreen: F6 opens it at the target box without taking
// the main window's focus, Solve marks and lists the findings, and "Use this value"
// writes a root into the main window's cell, where Compute then gives the target.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QScatterSeries>

#include "app/plot_window.h"
#include "app/tests/window_fixture.h"
#include "app/variable_grid.h"

namespace {

class SolveWindowTest : public WindowTest {
protected:
    TPlotWindow* SolveRange(const QString& from, const QString& to, const QString& target,
                            int variable = 0) {
        Press(Qt::Key_F6);
        TPlotWindow* plot = window->PlotWindow();
        if (!plot) return nullptr;
        EXPECT_EQ(plot->focusWidget(), plot->TargetBox) << "F6 focuses the target";
        plot->VariableBox->setCurrentIndex(variable);
        plot->FromBox->setText(from);
        plot->ToBox->setText(to);
        plot->PointsBox->setText("1001");
        Retype(plot->TargetBox, target);
        QTest::keyClick(plot->TargetBox, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !plot->Computing(); }, 10000));
        return plot;
    }
};

TEST_F(SolveWindowTest, SolveMarksAndListsTheRoots) {
    Retype(window->Edit1, "sin(x)");
    TPlotWindow* plot = SolveRange("-10", "10", "0");
    ASSERT_TRUE(plot && plot->Solution());
    EXPECT_EQ(plot->StatusLine->text(), "7 roots of F = 0 between -10 and 10");
    const QAbstractItemModel* results = plot->ResultsView->model();
    ASSERT_EQ(results->rowCount(), 9) << "7 roots, the minimum and the maximum";
    EXPECT_EQ(results->index(3, 0).data().toString(), "root");
    EXPECT_EQ(results->index(4, 1).data().toString(), "3.14159265358979");
    EXPECT_EQ(results->index(8, 0).data().toString(), "maximum");
    int rootMarkers = 0;
    for (QAbstractSeries* series : plot->ChartView->chart()->series())
        if (series->name() == "Root") rootMarkers = static_cast<QScatterSeries*>(series)->count();
    EXPECT_EQ(rootMarkers, 7);
    EXPECT_TRUE(window->Session().IntermediateLog().empty()) << "a solve writes no log";

    Retype(window->Edit1, "x*x+1");
    plot = SolveRange("-1", "1", "0");
    EXPECT_EQ(plot->StatusLine->text(),
              "No root of F = 0 between -1 and 1 (closest: F = 1 at x = 0)");
    EXPECT_FALSE(plot->UseValueButton->isEnabled());
    plot->TargetBox->setText("a");
    QTest::mouseClick(plot->SolveButton, Qt::LeftButton);
    EXPECT_EQ(errors, QStringList{"'a' is not a valid floating point value."});
}

TEST_F(SolveWindowTest, UseThisValueWritesTheCellAndComputeGivesTheTarget) {
    Retype(window->Edit1,
           "L*(((c/100)/12)*power((1+((c/100)/12));n))/(power((1+((c/100)/12));n)-1)");
    Retype(window->V_Q, "L;c;n");
    Press(Qt::Key_Tab);
    window->SG_Variables->setFocus();
    Retype(ValueEditor(0), "20000");
    Retype(ValueEditor(1), "6");
    Retype(ValueEditor(2), "48");
    TPlotWindow* plot = SolveRange("0.1", "30", "500", 1);
    ASSERT_TRUE(plot);
    ASSERT_TRUE(plot->UseValueButton->isEnabled()) << "the first root is ready";
    QTest::mouseClick(plot->UseValueButton, Qt::LeftButton);
    EXPECT_EQ(window->Session().Cells().Cell(1, 2), "9.24176698584227");
    EXPECT_EQ(GridValues()[1], "9.24176698584227");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_NEAR(window->EditYValue->text().toDouble(), 500, 1e-9);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
}

} // namespace
