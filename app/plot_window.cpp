// The plot window at work: offering the variables, starting a plot or a solve in
// slices, drawing what it computed, and a root written back into the main window.
#include "app/plot_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtCharts/QChart>
#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/plot_chart.h"
#include "app/qt_text.h"
#include "app/solution_table_model.h"
#include "app/sweep_table_model.h"
#include "app/window_placement.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"

namespace {

// The computation yields to the window after this long.
constexpr std::chrono::milliseconds Slice{30};

} // namespace

TPlotWindow::~TPlotWindow() {
    // The table shows the points by pointer: detach it before they go.
    FTableModel->SetPoints(nullptr, {});
}

// The focus goes where the next thing is typed: From, once a variable is chosen.
void TPlotWindow::ShowForSource() {
    OfferVariables();
    show();
    raise();
    activateWindow();
    QWidget* next = VariableBox->currentIndex() >= 0 ? static_cast<QWidget*>(FromBox)
                                                     : static_cast<QWidget*>(VariableBox);
    next->setFocus(Qt::OtherFocusReason);
    if (next == FromBox) FromBox->selectAll();
}

void TPlotWindow::ShowForSolve() {
    ShowForSource();
    TargetBox->setFocus(Qt::OtherFocusReason);
    TargetBox->selectAll();
}

// Enter plots from the variable list and the scale's box too, as from the text boxes.
bool TPlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == VariableBox || watched == LogBox)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunHandler([&] { Plot(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPlotWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnFirstShow(*this, parentWidget());
}

// The declared variables, the formula's first one chosen; the range is prefilled
// when the choice is new.
void TPlotWindow::OfferVariables() {
    OfferNames(FSource(), false);
}

// The main window's variables as they are now: a list that changed is offered anew,
// the choice kept while its variable is still declared (else the formula's first).
void TPlotWindow::RefreshVariables(const TFormulaInputs& source) {
    QStringList offered;
    for (int i = 0; i < VariableBox->count(); ++i)
        offered << VariableBox->itemText(i);
    QStringList names;
    for (const std::string& name : source.Names)
        names << FromStd(name);
    if (names != offered) OfferNames(source, true);
}

// Offers the declared names, choosing the formula's first variable, or with
// keepChoice the one chosen before while it is still declared. A new choice (or,
// when offering afresh, an empty From) prefills the range.
void TPlotWindow::OfferNames(const TFormulaInputs& source, bool keepChoice) {
    const QString before = VariableBox->currentText();
    VariableBox->clear();
    auto index = static_cast<int>(FirstNamedVariable(source.Formula, source.Names));
    for (std::size_t i = 0; i < source.Names.size(); ++i) {
        VariableBox->addItem(FromStd(source.Names[i]));
        if (keepChoice && SameVariableName(source.Names[i], before.toStdString()))
            index = static_cast<int>(i);
    }
    VariableBox->setCurrentIndex(source.Names.empty() ? -1 : index);
    if (VariableBox->currentText() != before || (!keepChoice && FromBox->text().isEmpty()))
        PrefillRange(source);
}

// From half the variable's value to one and a half times it (-1 to 1 around 0).
void TPlotWindow::PrefillRange(const TFormulaInputs& source) {
    const auto row = static_cast<std::size_t>(std::max(0, VariableBox->currentIndex()));
    double value = 1;
    if (row < source.ValueTexts.size()) {
        try {
            value = ReadValueText(source.ValueTexts[row]);
        } catch (const Exception&) {
        }
    }
    const double reach = value == 0 ? 1 : std::fabs(value) / 2;
    FromBox->setText(NumberText(value - reach));
    ToBox->setText(NumberText(value + reach));
}

TSweepRange TPlotWindow::RangeOfBoxes() const {
    return {VariableBox->currentText().toStdString(), FromBox->text().toStdString(),
            ToBox->text().toStdString(), ReadSweepPoints(PointsBox->text().toStdString()),
            LogBox->isChecked()};
}

// A refused press changes nothing: a running sweep goes on, the shown one stays.
void TPlotWindow::Plot() {
    TFormulaInputs source = FSource();
    RefreshVariables(source);
    FRun.StartPlot(std::move(source), RangeOfBoxes());
    Start();
}

void TPlotWindow::Solve() {
    TFormulaInputs source = FSource();
    RefreshVariables(source);
    FRun.StartSolve(std::move(source), RangeOfBoxes(), TargetBox->text().toStdString());
    Start();
}

// Forgets what was shown and starts the stepper on the run just started.
void TPlotWindow::Start() {
    FTableModel->SetPoints(nullptr, {});
    FResultsModel->SetSolution(nullptr, {});
    UseValueButton->setEnabled(false);
    Progress->setRange(0, static_cast<int>(FRun.WorkLength()));
    Progress->setValue(0);
    Progress->show();
    StatusLine->clear();
    FStepper->start();
}

bool TPlotWindow::Computing() const {
    return FStepper->isActive();
}

const TSweep* TPlotWindow::Swept() const {
    return FRun.Swept();
}

const TSolution* TPlotWindow::Solution() const {
    return FRun.Solution();
}

// One slice of the sweep or the solve; the last one draws.
void TPlotWindow::Step() {
    const bool done = FRun.Step(Slice);
    Progress->setValue(static_cast<int>(FRun.WorkDone()));
    if (!done) return;
    FStepper->stop();
    Progress->hide();
    Draw();
    if (FRun.Solver()) DrawFindings();
}

void TPlotWindow::Draw() {
    const TSweep& sweep = *Swept();
    FTableModel->SetPoints(&FRun.Points(), FromStd(sweep.SweptName()));
    FUnits =
        DrawCurve(*FChart, FRun.Points(), sweep, FRun.Solver(), FromStd(FRun.Inputs().Formula));
    const auto total = static_cast<long>(FRun.Points().size());
    const TSweepSummary& summary = FRun.Summary();
    StatusLine->setText(summary.Failed == 0 ? QStringLiteral("%1 points").arg(total)
                                            : QStringLiteral("%1 of %2 points failed: %3")
                                                  .arg(summary.Failed)
                                                  .arg(total)
                                                  .arg(FromStd(summary.FirstMessage)));
}

// The findings on the chart, the Results list with the first root current (ready for
// "Use this value"), the status line.
void TPlotWindow::DrawFindings() {
    const TSolver& solver = *FRun.Solver();
    FResultsModel->SetSolution(&solver.Solution(), FromStd(solver.Sweep().SweptName()));
    ResultsView->resizeColumnsToContents();
    for (int row = 0; row < FResultsModel->rowCount(); ++row)
        if (IsRootKind(FResultsModel->Finding(row).Kind)) {
            ResultsView->setCurrentIndex(FResultsModel->index(row, 0));
            break;
        }
    StatusLine->setText(SolveStatus());
    ::DrawFindings(*FChart, solver, FUnits);
}

// "7 roots of F = 0 between -10 and 10", or "No root ..." with the closest approach,
// then what did not fit and what failed.
QString TPlotWindow::SolveStatus() const {
    const TSolver& solver = *FRun.Solver();
    const TSolution& solution = solver.Solution();
    const TSweep& sweep = solver.Sweep();
    QString text = FromStd(RootCountText(solution, solver.Target(), sweep.From(), sweep.To()));
    text[0] = text[0].toUpper();
    if (solution.RootCount == 0 && solution.Closest)
        text += QStringLiteral(" (closest: F = %1 at %2 = %3)")
                    .arg(NumberText(solution.Closest->Value), FromStd(sweep.SweptName()),
                         NumberText(solution.Closest->X));
    if (solution.Truncated)
        text += QStringLiteral("; the first %1 findings are listed").arg(MaxListedFindings);
    if (solution.FailedSamples.Failed)
        text += QStringLiteral("; %1 of %2 points failed: %3")
                    .arg(solution.FailedSamples.Failed)
                    .arg(sweep.PointCount())
                    .arg(FromStd(solution.FailedSamples.FirstMessage));
    return text;
}

void TPlotWindow::UseSelectedValue() {
    const QModelIndex current = ResultsView->currentIndex();
    if (!Solution() || !current.isValid()) return;
    const TFinding& finding = FResultsModel->Finding(current.row());
    if (!IsRootKind(finding.Kind)) return;
    FUseValue(FRun.Solver()->Sweep().SweptName(), FormatResult(finding.Point.X));
}

// The text that names the point whose x is nearest.
QString TPlotWindow::NearestPointText(double drawnX) const {
    const double x = FUnits.X.Unmap(drawnX);
    const std::vector<TSweepPoint>& points = FRun.Points();
    if (points.empty() || Computing()) return {};
    const bool rising = points.front().X <= points.back().X;
    const auto it =
        std::lower_bound(points.begin(), points.end(), x, [rising](const TSweepPoint& p, double v) {
            return rising ? p.X < v : p.X > v;
        });
    std::size_t i = static_cast<std::size_t>(it - points.begin());
    if (i == points.size() ||
        (i > 0 && std::fabs(points[i - 1].X - x) < std::fabs(points[i].X - x)))
        --i;
    const TSweepPoint& p = points[i];
    return QStringLiteral("%1 = %2    F = %3")
        .arg(FromStd(Swept()->SweptName()), NumberText(p.X),
             p.Message.empty() ? NumberText(p.Value) : FromStd(p.Message));
}
