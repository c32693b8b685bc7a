// The plot window: controls, the sweep or the solve in slices, the chart with the
// findings marked, the points and results tables, and the ways out (clipboard, CSV,
// image, printer, the main window's value cell).
#include "app/plot_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QKeyEvent>
#include <QScreen>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/dialogs/text_print_form.h"
#include "app/solution_table_model.h"
#include "app/sweep_table_model.h"
#include "platform/number_text.h"
#include "platform/regional_settings.h"

namespace {

// Points drawn at most: more are reduced to the lowest and highest of each slice
// of x, which looks the same at any window size.
constexpr std::size_t DrawnPointLimit = 4000;
// The computation yields to the window after this many milliseconds.
constexpr qint64 SliceMilliseconds = 30;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}


QString Number(double value) {
    return FromStd(FormatResult(value));
}

// The locale whose numbers use the regional decimal separator.
QLocale ChartLocale() {
    return DecimalSeparator() == ',' ? QLocale(QLocale::German) : QLocale::c();
}

// A step of 1, 2 or 5 times a power of ten that cuts the span into about five.
double NiceStep(double span) {
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / power;
    return (mantissa < 1.5 ? 1 : mantissa < 3.5 ? 2 : mantissa < 7.5 ? 5 : 10) * power;
}

// The axis spans exactly [low, high], its ticks at round values inside.
void SetRoundTicks(QValueAxis* axis, double low, double high) {
    axis->setRange(low, high);
    const double step = NiceStep(high - low);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(std::ceil(low / step) * step);
    axis->setTickInterval(step);
}

// A chart view that names the point nearest the mouse.
class TPointingChartView : public QChartView {
public:
    TPointingChartView(QChart* chart, std::function<void(double, const QPoint&)> show)
        : QChartView(chart), FShow(std::move(show)) {
        setMouseTracking(true);
        setRenderHint(QPainter::Antialiasing);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        QChartView::mouseMoveEvent(event);
        if (chart()->series().isEmpty()) return;
        const QPointF value = chart()->mapToValue(event->position(), chart()->series().first());
        FShow(value.x(), event->globalPosition().toPoint());
    }

private:
    std::function<void(double, const QPoint&)> FShow;
};

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

TPlotWindow::TPlotWindow(std::function<TFormulaInputs()> source, TUseValue useValue, QWidget* parent)
    : QWidget(parent, Qt::Window), FSource(std::move(source)), FUseValue(std::move(useValue)) {
    setObjectName(QStringLiteral("PlotWindow"));
    setWindowTitle(QStringLiteral("Plot - Zentavo"));

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
    TargetBox = new QLineEdit(Number(0), this);
    TargetBox->setAccessibleName(QStringLiteral("Target value"));
    TargetBox->setToolTip(QStringLiteral("The value F is to take"));
    SolveButton = new QPushButton(QStringLiteral("Solve"), this);
    SolveButton->setToolTip(QStringLiteral("Find the values of the variable that give F this value"));
    auto* solveRow = new QHBoxLayout;
    solveRow->addWidget(TargetBox, 1);
    solveRow->addWidget(SolveButton);
    form->addItem(new QSpacerItem(0, 8));
    form->addRow(QStringLiteral("F ="), solveRow);

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
    UseValueButton->setToolTip(
        QStringLiteral("Write the selected root into the variable's value cell in the main window"));
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
    StatusLine = new QLabel(this);
    StatusLine->setTextFormat(Qt::PlainText);
    StatusLine->setWordWrap(true);
    // Room for two lines from the start: a message never makes the window grow.
    StatusLine->setMinimumHeight(2 * StatusLine->fontMetrics().lineSpacing());
    StatusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Progress = new QProgressBar(this);
    Progress->hide();

    CopyButton = new QPushButton(QStringLiteral("Copy table"), this);
    CsvButton = new QPushButton(QStringLiteral("Save CSV..."), this);
    ImageButton = new QPushButton(QStringLiteral("Save image..."), this);
    PrintButton = new QPushButton(QStringLiteral("Print..."), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {CopyButton, CsvButton, ImageButton, PrintButton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(Tabs, 1);
    right->addWidget(StatusLine);
    right->addWidget(Progress);
    right->addLayout(buttons);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch(1);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);

    FStepper = new QTimer(this);
    FStepper->setInterval(0);
    connect(FStepper, &QTimer::timeout, this, [this] { RunHandler([&] { Step(); }); });
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
                UseValueButton->setEnabled(current.isValid() && IsRootKind(FResultsModel->Finding(current.row()).Kind));
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
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save image"), {},
            QStringLiteral("PNG image (*.png);;SVG image (*.svg)"));
        if (!path.isEmpty()) RunHandler([&] { SaveImage(path); });
    });
    connect(PrintButton, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
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
    if (FCentred) return;
    FCentred = true;
    if (QWidget* main = parentWidget())
        move(main->frameGeometry().center() - rect().center());
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
    FromBox->setText(Number(value - reach));
    ToBox->setText(Number(value + reach));
}

TSweepRange TPlotWindow::RangeOfBoxes() const {
    return {VariableBox->currentText().toStdString(), FromBox->text().toStdString(),
            ToBox->text().toStdString(), ReadSweepPoints(PointsBox->text().toStdString()),
            LogBox->isChecked()};
}

void TPlotWindow::Plot() {
    FStepper->stop();
    FPlotted = FSource();
    auto sweep = std::make_unique<TSweep>(FPlotted.Formula, FPlotted.Names, FPlotted.ValueTexts,
                                          RangeOfBoxes());
    FSolver.reset();
    FSweep = std::move(sweep);
    Start(FSweep->PointCount());
    FPoints.reserve(static_cast<std::size_t>(FSweep->PointCount()));
}

void TPlotWindow::Solve() {
    FStepper->stop();
    FPlotted = FSource();
    const TSweepRange range = RangeOfBoxes();
    auto solver = std::make_unique<TSolver>(FPlotted.Formula, FPlotted.Names, FPlotted.ValueTexts,
                                            range, TargetBox->text().toStdString());
    FSweep.reset();
    FSolver = std::move(solver);
    Start(FSolver->WorkLength());
}

// Forgets what was shown and starts the stepper.
void TPlotWindow::Start(long workLength) {
    FTableModel->SetPoints(nullptr, {});
    FResultsModel->SetSolution(nullptr, {});
    UseValueButton->setEnabled(false);
    FPoints.clear();
    FSummary = {};
    FNext = 0;
    Progress->setRange(0, static_cast<int>(workLength));
    Progress->setValue(0);
    Progress->show();
    StatusLine->clear();
    FStepper->start();
}

bool TPlotWindow::Computing() const {
    return FStepper->isActive();
}

const TSweep* TPlotWindow::Swept() const {
    return FSolver ? &FSolver->Sweep() : FSweep.get();
}

const TSolution* TPlotWindow::Solution() const {
    return FSolver && FSolver->Done() ? &FSolver->Solution() : nullptr;
}

// One slice of the sweep or the solve; the last one draws.
void TPlotWindow::Step() {
    QElapsedTimer clock;
    clock.start();
    if (FSolver) {
        while (FSolver->Step() && clock.elapsed() < SliceMilliseconds) {
        }
        Progress->setValue(static_cast<int>(FSolver->WorkDone()));
        if (!FSolver->Done()) return;
        FPoints = FSolver->Samples();
        FSummary = FSolver->Solution().FailedSamples;
    } else {
        while (FNext < FSweep->PointCount()) {
            FPoints.push_back(FSweep->Evaluate(FNext++));
            FSummary.Add(FPoints.back());
            if ((FNext & 1023) == 0 && clock.elapsed() >= SliceMilliseconds) break;
        }
        Progress->setValue(static_cast<int>(FNext));
        if (FNext < FSweep->PointCount()) return;
    }
    FStepper->stop();
    Progress->hide();
    Draw();
    if (FSolver) DrawFindings();
}

void TPlotWindow::Draw() {
    const TSweep& sweep = *Swept();
    FTableModel->SetPoints(&FPoints, FromStd(sweep.SweptName()));
    FChart->legend()->hide();
    FChart->removeAllSeries();
    for (QAbstractAxis* axis : FChart->axes()) {
        FChart->removeAxis(axis);
        const std::unique_ptr<QAbstractAxis> removed(axis); // removeAxis hands it back
    }
    FChart->setLocale(ChartLocale());

    // Runs of computed points become line series; a failed point leaves a gap. More
    // points than can be seen are reduced to each slice's lowest and highest.
    // The values span the y axis, but for a solve's samples next to a pole: those
    // would squash the rest of the curve into a line.
    double low = INFINITY, high = -INFINITY;
    for (std::size_t i = 0; i < FPoints.size(); ++i)
        if (const TSweepPoint& p = FPoints[i]; p.Message.empty() && !(FSolver && FSolver->BesidePole(i))) {
            low = std::min(low, p.Value);
            high = std::max(high, p.Value);
        }
    // Values far from 1 are drawn in units of a power of ten, named in the axis title
    // (the chart cannot span a range narrower than about 1E-12).
    const double largest = std::max(std::fabs(low), std::fabs(high));
    int exponent = 0;
    if (low <= high && largest > 0 && (largest < 1E-4 || largest >= 1E7))
        exponent = static_cast<int>(std::floor(std::log10(largest)));
    const double unit = std::pow(10.0, -exponent);
    FUnit = unit;
    const std::size_t slice = std::max<std::size_t>(1, FPoints.size() / (DrawnPointLimit / 2));
    QList<QLineSeries*> runs;
    QList<QPointF> run;
    const auto endRun = [&] {
        if (run.isEmpty()) return;
        auto* series = new QLineSeries;
        series->replace(run);
        series->setPen(QPen(QColor(0x2f, 0x6f, 0xc0), 2));
        runs << series;
        run.clear();
    };
    for (std::size_t start = 0; start < FPoints.size(); start += slice) {
        const std::size_t end = std::min(FPoints.size(), start + slice);
        const TSweepPoint* lowest = nullptr;
        const TSweepPoint* highest = nullptr;
        for (std::size_t i = start; i < end; ++i) {
            const TSweepPoint& p = FPoints[i];
            if (!p.Message.empty()) {
                if (lowest) run << QPointF(lowest->X, lowest->Value * unit);
                if (highest && highest != lowest) run << QPointF(highest->X, highest->Value * unit);
                lowest = highest = nullptr;
                endRun();
                continue;
            }
            if (!lowest || p.Value < lowest->Value) lowest = &p;
            if (!highest || p.Value > highest->Value) highest = &p;
        }
        if (lowest && highest) {
            const TSweepPoint* first = lowest->X <= highest->X ? lowest : highest;
            const TSweepPoint* second = first == lowest ? highest : lowest;
            run << QPointF(first->X, first->Value * unit);
            if (second != first) run << QPointF(second->X, second->Value * unit);
        }
    }
    endRun();

    QAbstractAxis* xAxis;
    if (sweep.Logarithmic()) {
        auto* axis = new QLogValueAxis;
        axis->setLabelFormat(QStringLiteral("%.6g"));
        axis->setMinorTickCount(-1);
        xAxis = axis;
    } else {
        auto* axis = new QValueAxis;
        axis->setLabelFormat(QStringLiteral("%.6g"));
        xAxis = axis;
    }
    xAxis->setTitleText(FromStd(sweep.SweptName()));
    const double left = std::min(sweep.From(), sweep.To());
    const double right = std::max(sweep.From(), sweep.To());
    if (auto* linear = qobject_cast<QValueAxis*>(xAxis))
        SetRoundTicks(linear, left, right);
    else
        xAxis->setRange(left, right);
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(exponent == 0 ? QStringLiteral("F")
                                      : QStringLiteral("F (\u00d71E%1)").arg(exponent));
    yAxis->setLabelFormat(QStringLiteral("%.6g"));
    if (low <= high) {
        const double bottom = low * unit, top = high * unit;
        const double margin = bottom == top ? std::max(1.0, std::fabs(bottom)) * 0.05 : (top - bottom) * 0.05;
        SetRoundTicks(yAxis, bottom - margin, top + margin);
    }
    FChart->addAxis(xAxis, Qt::AlignBottom);
    FChart->addAxis(yAxis, Qt::AlignLeft);
    for (QLineSeries* series : runs) {
        FChart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    FChart->setTitle(FromStd(FPlotted.Formula));

    const auto total = static_cast<long>(FPoints.size());
    StatusLine->setText(
        FSummary.Failed == 0
            ? QStringLiteral("%1 points").arg(total)
            : QStringLiteral("%1 of %2 points failed: %3")
                  .arg(FSummary.Failed)
                  .arg(total)
                  .arg(FromStd(FSummary.FirstMessage)));
}

// The roots, touching roots and extremes as markers, each pole as a dashed line
// across the chart, with a legend; the Results list; the status line.
void TPlotWindow::DrawFindings() {
    const TSolution& solution = FSolver->Solution();
    FResultsModel->SetSolution(&solution, FromStd(FSolver->Sweep().SweptName()));
    ResultsView->resizeColumnsToContents();
    // The first root is current, ready for "Use this value".
    for (int row = 0; row < FResultsModel->rowCount(); ++row)
        if (IsRootKind(FResultsModel->Finding(row).Kind)) {
            ResultsView->setCurrentIndex(FResultsModel->index(row, 0));
            break;
        }
    StatusLine->setText(SolveStatus());
    QList<QAbstractAxis*> axes = FChart->axes(Qt::Horizontal);
    axes += FChart->axes(Qt::Vertical);
    const auto add = [&](QXYSeries* series) {
        FChart->addSeries(series);
        for (QAbstractAxis* axis : axes)
            series->attachAxis(axis);
    };
    const struct {
        TFindingKind Kind;
        QScatterSeries::MarkerShape Shape;
        QColor Colour;
    } markers[] = {
        // The extremes as hollow outlines under the roots, so a root at an extreme
        // (a touching root) shows through.
        {TFindingKind::Minimum, QScatterSeries::MarkerShapeTriangle, QColor(0x1f, 0x8a, 0x8a)},
        {TFindingKind::Maximum, QScatterSeries::MarkerShapeRectangle, QColor(0xb8, 0x3a, 0x32)},
        {TFindingKind::Root, QScatterSeries::MarkerShapeCircle, QColor(0x2e, 0x8b, 0x3e)},
        {TFindingKind::TouchingRoot, QScatterSeries::MarkerShapeRotatedRectangle, QColor(0xd0, 0x74, 0x1c)},
    };
    const std::vector<TFinding> shown = solution.Shown();
    for (const auto& marker : markers) {
        QList<QPointF> points;
        for (const TFinding& finding : shown)
            if (finding.Kind == marker.Kind) points << QPointF(finding.Point.X, finding.Point.Value * FUnit);
        if (points.isEmpty()) continue;
        auto* series = new QScatterSeries;
        series->replace(points);
        QString name = FromStd(FindingKindName(marker.Kind));
        name[0] = name[0].toUpper();
        series->setName(name);
        series->setMarkerShape(marker.Shape);
        if (IsRootKind(marker.Kind)) {
            series->setMarkerSize(marker.Kind == TFindingKind::Root ? 9 : 11);
            series->setColor(marker.Colour);
            series->setBorderColor(marker.Colour.darker(140));
        } else {
            series->setMarkerSize(15);
            series->setBrush(Qt::NoBrush);
            series->setPen(QPen(marker.Colour, 2));
        }
        add(series);
    }
    auto* yAxis = qobject_cast<QValueAxis*>(FChart->axes(Qt::Vertical).value(0));
    bool namedPole = false;
    for (const TFinding& finding : solution.Findings) {
        if (finding.Kind != TFindingKind::PoleOrJump || !yAxis) continue;
        auto* line = new QLineSeries;
        line->append(finding.Point.X, yAxis->min());
        line->append(finding.Point.X, yAxis->max());
        line->setPen(QPen(QColor(0x80, 0x80, 0x80), 1.5, Qt::DashLine));
        if (!namedPole) line->setName(QStringLiteral("Pole or jump"));
        namedPole = true;
        add(line);
    }
    // The target as a line across the chart, where it falls inside.
    const double target = FSolver->Target() * FUnit;
    if (yAxis && target >= yAxis->min() && target <= yAxis->max()) {
        auto* line = new QLineSeries;
        line->append(std::min(FSolver->Sweep().From(), FSolver->Sweep().To()), target);
        line->append(std::max(FSolver->Sweep().From(), FSolver->Sweep().To()), target);
        line->setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1, Qt::DotLine));
        line->setName(QStringLiteral("F = ") + Number(FSolver->Target()));
        add(line);
    }
    // Only the findings are named: the curve's runs stay out of the legend.
    bool anyNamed = false;
    for (QLegendMarker* marker : FChart->legend()->markers()) {
        const bool named = !marker->series()->name().isEmpty();
        marker->setVisible(named);
        anyNamed = anyNamed || named;
    }
    FChart->legend()->setAlignment(Qt::AlignBottom);
    FChart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    FChart->legend()->setVisible(anyNamed);
}

// "7 roots of F = 0 between -10 and 10", or "No root ..." with the closest approach,
// then what did not fit and what failed.
QString TPlotWindow::SolveStatus() const {
    const TSolution& solution = FSolver->Solution();
    const TSweep& sweep = FSolver->Sweep();
    QString text = FromStd(RootCountText(solution, FSolver->Target(), sweep.From(), sweep.To()));
    text[0] = text[0].toUpper();
    if (solution.RootCount == 0 && solution.Closest)
        text += QStringLiteral(" (closest: F = %1 at %2 = %3)")
                    .arg(Number(solution.Closest->Value), FromStd(sweep.SweptName()),
                         Number(solution.Closest->X));
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
    FUseValue(FSolver->Sweep().SweptName(), FormatResult(finding.Point.X));
}

// The tooltip of the point whose x is nearest.
void TPlotWindow::ShowNearestPoint(double x, const QPoint& globalPosition) {
    if (FPoints.empty() || Computing()) return;
    const bool rising = FPoints.front().X <= FPoints.back().X;
    const auto it = std::lower_bound(FPoints.begin(), FPoints.end(), x,
                                     [rising](const TSweepPoint& p, double v) {
                                         return rising ? p.X < v : p.X > v;
                                     });
    std::size_t i = static_cast<std::size_t>(it - FPoints.begin());
    if (i == FPoints.size() || (i > 0 && std::fabs(FPoints[i - 1].X - x) < std::fabs(FPoints[i].X - x)))
        --i;
    const TSweepPoint& p = FPoints[i];
    QToolTip::showText(globalPosition,
                       QStringLiteral("%1 = %2\nF = %3")
                           .arg(FromStd(Swept()->SweptName()), Number(p.X),
                                p.Message.empty() ? Number(p.Value) : FromStd(p.Message)),
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
        text += field(FTableModel->XText(row)) + separator + field(FTableModel->ValueText(row)) + '\n';
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
    QString caption = QStringLiteral("F = ") + FromStd(FPlotted.Formula);
    for (std::size_t i = 0; i < FPlotted.Names.size(); ++i)
        if (Swept() && FPlotted.Names[i] != Swept()->SweptName())
            caption += QStringLiteral("\n%1: %2").arg(FromStd(FPlotted.Names[i]),
                                                     FromStd(FPlotted.ValueTexts[i]));
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
    painter.drawText(captionArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Caption(), &used);
    const int top = used.bottom() + page.height() / 40;
    const QRect chartArea(page.left(), top, page.width(),
                          std::min(page.height() - top, page.width() * 3 / 4));
    ChartView->render(&painter, chartArea);
    painter.end();
    if (printer.printerState() == QPrinter::Error) throw EPrintError(PrintMessages::PrinterFailed);
}
