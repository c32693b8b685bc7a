// The plot window: controls, the sweep or the solve in slices, the chart with the
// findings marked, the points and results tables, and the ways out (clipboard, CSV,
// image, printer, the main window's value cell).
#include "app/plot_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/dialogs/text_print_form.h"
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

// The points table: Ctrl+C copies every selected cell (a tab between the columns,
// a line a row), where a table view copies only its current cell.
class TPointsTableView : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!event->matches(QKeySequence::Copy)) {
            QTableView::keyPressEvent(event);
            return;
        }
        QModelIndexList cells = selectionModel()->selectedIndexes();
        std::sort(cells.begin(), cells.end());
        QString text;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            text += cells[i].data().toString();
            const bool rowEnds = i + 1 == cells.size() || cells[i + 1].row() != cells[i].row();
            text += rowEnds ? QLatin1Char('\n') : QLatin1Char('\t');
        }
        QGuiApplication::clipboard()->setText(text);
    }
};

} // namespace

TPlotWindow::TPlotWindow(std::function<TFormulaInputs()> source, TUseValue useValue,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), FSource(std::move(source)), FUseValue(std::move(useValue)) {
    setObjectName(QStringLiteral("PlotWindow"));
    setWindowTitle(QStringLiteral("Plot - Zentavo"));

    auto* left = new QVBoxLayout;
    left->addLayout(BuildRangeControls());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPages(), 1);
    StatusLine = new QLabel(this);
    StatusLine->setTextFormat(Qt::PlainText);
    StatusLine->setWordWrap(true);
    // Room for two lines from the start: a message never makes the window grow.
    StatusLine->setMinimumHeight(2 * StatusLine->fontMetrics().lineSpacing());
    StatusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(StatusLine);
    Progress = new QProgressBar(this);
    Progress->hide();
    right->addWidget(Progress);
    right->addLayout(BuildOutputButtons());
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);

    FStepper = new QTimer(this);
    FStepper->setInterval(0);
    connect(FStepper, &QTimer::timeout, this, [this] { RunHandler([&] { Step(); }); });
    ConnectActions();
}

// The variable, the range, the scale, Plot; the target and Solve.
QFormLayout* TPlotWindow::BuildRangeControls() {
    VariableBox = new QComboBox(this);
    VariableBox->setAccessibleName(QStringLiteral("Swept variable"));
    FromBox = new QLineEdit(this);
    FromBox->setAccessibleName(QStringLiteral("From"));
    ToBox = new QLineEdit(this);
    ToBox->setAccessibleName(QStringLiteral("To"));
    PointsBox = new QLineEdit(QStringLiteral("201"), this);
    PointsBox->setAccessibleName(QStringLiteral("Points"));
    LogBox = new QCheckBox(QStringLiteral("Logarithmic scale"), this);
    PlotButton = new QPushButton(QStringLiteral("Plot"), this);
    PlotButton->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Variable"), VariableBox);
    form->addRow(QStringLiteral("From"), FromBox);
    form->addRow(QStringLiteral("To"), ToBox);
    form->addRow(QStringLiteral("Points"), PointsBox);
    form->addRow(QString(), LogBox);
    form->addRow(QString(), PlotButton);
    TargetBox = new QLineEdit(NumberText(0), this);
    TargetBox->setAccessibleName(QStringLiteral("Target value"));
    TargetBox->setToolTip(QStringLiteral("The value F is to take"));
    SolveButton = new QPushButton(QStringLiteral("Solve"), this);
    SolveButton->setToolTip(
        QStringLiteral("Find the values of the variable that give F this value"));
    auto* solveRow = new QHBoxLayout;
    solveRow->addWidget(TargetBox, 1);
    solveRow->addWidget(SolveButton);
    form->addItem(new QSpacerItem(0, 8));
    form->addRow(QStringLiteral("F ="), solveRow);
    return form;
}

// The Chart, Table and Results pages.
QTabWidget* TPlotWindow::BuildPages() {
    FChart = new QChart;
    FChart->legend()->hide();
    FChart->setLocalizeNumbers(true);
    ChartView = new TPointingChartView(
        FChart, [this](double x, const QPoint& at) { ShowNearestPoint(x, at); });
    ChartView->setMinimumSize(520, 340);
    FTableModel = new TSweepTableModel(this);
    TableView = new TPointsTableView(this);
    TableView->setModel(FTableModel);
    TableView->horizontalHeader()->setStretchLastSection(true);
    TableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FResultsModel = new TSolutionTableModel(this);
    ResultsView = new TPointsTableView(this);
    ResultsView->setModel(FResultsModel);
    ResultsView->horizontalHeader()->setStretchLastSection(true);
    ResultsView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ResultsView->setWordWrap(false);
    ResultsView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    UseValueButton = new QPushButton(QStringLiteral("Use this value"), this);
    UseValueButton->setToolTip(QStringLiteral(
        "Write the selected root into the variable's value cell in the main window"));
    UseValueButton->setEnabled(false);
    ResultsPage = new QWidget(this);
    auto* results = new QVBoxLayout(ResultsPage);
    results->addWidget(ResultsView, 1);
    auto* use = new QHBoxLayout;
    use->addWidget(UseValueButton);
    use->addStretch(1);
    results->addLayout(use);
    Tabs = new QTabWidget(this);
    Tabs->addTab(ChartView, QStringLiteral("Chart"));
    Tabs->addTab(TableView, QStringLiteral("Table"));
    Tabs->addTab(ResultsPage, QStringLiteral("Results"));
    return Tabs;
}

// Copy, CSV, image and print.
QHBoxLayout* TPlotWindow::BuildOutputButtons() {
    CopyButton = new QPushButton(QStringLiteral("Copy table"), this);
    CsvButton = new QPushButton(QStringLiteral("Save CSV..."), this);
    ImageButton = new QPushButton(QStringLiteral("Save image..."), this);
    PrintButton = new QPushButton(QStringLiteral("Print..."), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {CopyButton, CsvButton, ImageButton, PrintButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    return buttons;
}

void TPlotWindow::ConnectActions() {
    const auto plot = [this] { RunHandler([&] { Plot(); }); };
    connect(PlotButton, &QPushButton::clicked, this, plot);
    for (QLineEdit* box : {FromBox, ToBox, PointsBox})
        connect(box, &QLineEdit::returnPressed, this, plot);
    const auto solve = [this] { RunHandler([&] { Solve(); }); };
    connect(SolveButton, &QPushButton::clicked, this, solve);
    connect(TargetBox, &QLineEdit::returnPressed, this, solve);
    const auto useSelected = [this] { RunHandler([&] { UseSelectedValue(); }); };
    connect(UseValueButton, &QPushButton::clicked, this, useSelected);
    connect(ResultsView, &QTableView::doubleClicked, this, useSelected);
    connect(ResultsView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                UseValueButton->setEnabled(current.isValid() &&
                                           IsRootKind(FResultsModel->Finding(current.row()).Kind));
            });
    connect(VariableBox, &QComboBox::activated, this, [this] { PrefillRange(FSource()); });
    connect(CopyButton, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(TableText()); });
    connect(CsvButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save CSV"), {},
                                                          QStringLiteral("CSV file (*.csv)"));
        if (!path.isEmpty()) RunHandler([&] { SaveCsv(path); });
    });
    connect(ImageButton, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Save image"), {},
                                         QStringLiteral("PNG image (*.png);;SVG image (*.svg)"));
        if (!path.isEmpty()) RunHandler([&] { SaveImage(path); });
    });
    connect(PrintButton, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize);
        if (dialog.exec() == QDialog::Accepted) RunHandler([&] { PrintTo(printer); });
    });
}

TPlotWindow::~TPlotWindow() {
    // The table shows the points by pointer: detach it before they go.
    FTableModel->SetPoints(nullptr, {});
}

void TPlotWindow::ShowForSource() {
    OfferVariables();
    show();
    raise();
    activateWindow();
}

void TPlotWindow::ShowForSolve() {
    ShowForSource();
    TargetBox->setFocus(Qt::OtherFocusReason);
    TargetBox->selectAll();
}

void TPlotWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnFirstShow(*this, parentWidget());
}

// The declared variables, the formula's first one chosen; the range is prefilled
// when the choice is new.
void TPlotWindow::OfferVariables() {
    const TFormulaInputs source = FSource();
    const QString before = VariableBox->currentText();
    VariableBox->clear();
    for (const std::string& name : source.Names)
        VariableBox->addItem(FromStd(name));
    const int first = static_cast<int>(FirstNamedVariable(source.Formula, source.Names));
    VariableBox->setCurrentIndex(first);
    if (VariableBox->currentText() != before || FromBox->text().isEmpty()) PrefillRange(source);
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
    FRun.StartPlot(FSource(), RangeOfBoxes());
    Start();
}

void TPlotWindow::Solve() {
    FRun.StartSolve(FSource(), RangeOfBoxes(), TargetBox->text().toStdString());
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
    FUnit = DrawCurve(*FChart, FRun.Points(), sweep, FRun.Solver(), FromStd(FRun.Inputs().Formula));
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
    ::DrawFindings(*FChart, solver, FUnit);
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

// The tooltip of the point whose x is nearest.
void TPlotWindow::ShowNearestPoint(double x, const QPoint& globalPosition) {
    const std::vector<TSweepPoint>& points = FRun.Points();
    if (points.empty() || Computing()) return;
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
    QToolTip::showText(globalPosition,
                       QStringLiteral("%1 = %2\nF = %3")
                           .arg(FromStd(Swept()->SweptName()), NumberText(p.X),
                                p.Message.empty() ? NumberText(p.Value) : FromStd(p.Message)),
                       ChartView);
}

QString TPlotWindow::TableText() const {
    QString text;
    if (!Swept()) return text;
    text += FromStd(Swept()->SweptName()) + QStringLiteral("\tF\n");
    for (int row = 0; row < FTableModel->rowCount(); ++row)
        text += FTableModel->XText(row) + '\t' + FTableModel->ValueText(row) + '\n';
    return text;
}

QString TPlotWindow::CsvText() const {
    const QChar separator = DecimalSeparator() == ',' ? ';' : ',';
    const auto field = [separator](const QString& value) {
        if (!value.contains(separator) && !value.contains('"')) return value;
        return '"' + QString(value).replace('"', QStringLiteral("\"\"")) + '"';
    };
    QString text;
    if (!Swept()) return text;
    text += field(FromStd(Swept()->SweptName())) + separator + QStringLiteral("F\n");
    for (int row = 0; row < FTableModel->rowCount(); ++row)
        text +=
            field(FTableModel->XText(row)) + separator + field(FTableModel->ValueText(row)) + '\n';
    return text;
}

void TPlotWindow::SaveCsv(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(CsvText().toUtf8()) < 0 || !file.flush())
        throw Exception(("The file '" + path + "' could not be written").toStdString());
}

void TPlotWindow::SaveImage(const QString& path) {
    bool written = false;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(ChartView->size());
        svg.setViewBox(ChartView->rect());
        svg.setTitle(windowTitle());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) ChartView->render(&painter);
        written = written && painter.end() && QFile::exists(path);
    } else {
        written = ChartView->grab().save(path, "PNG");
    }
    if (!written) throw Exception(("The file '" + path + "' could not be written").toStdString());
}

QString TPlotWindow::Caption() const {
    QString caption = QStringLiteral("F = ") + FromStd(FRun.Inputs().Formula);
    for (std::size_t i = 0; i < FRun.Inputs().Names.size(); ++i)
        if (Swept() && FRun.Inputs().Names[i] != Swept()->SweptName())
            caption +=
                QStringLiteral("\n%1: %2")
                    .arg(FromStd(FRun.Inputs().Names[i]), FromStd(FRun.Inputs().ValueTexts[i]));
    return caption;
}

void TPlotWindow::PrintTo(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Plot"));
    QPainter painter;
    if (!painter.begin(&printer)) throw EPrintError(PrintMessages::CannotOpen);
    const QRect sheet = painter.viewport();
    const int margin = sheet.width() / 12; // about 2 cm on A4
    const QRect page = sheet.adjusted(margin, margin, -margin, -margin);
    QFont font = painter.font();
    font.setPointSize(11);
    painter.setFont(font);
    const QRect captionArea(page.left(), page.top(), page.width(), page.height() / 5);
    QRect used;
    painter.drawText(captionArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Caption(),
                     &used);
    const int top = used.bottom() + page.height() / 40;
    const QRect chartArea(page.left(), top, page.width(),
                          std::min(page.height() - top, page.width() * 3 / 4));
    ChartView->render(&painter, chartArea);
    painter.end();
    if (printer.printerState() == QPrinter::Error) throw EPrintError(PrintMessages::PrinterFailed);
}
