// The plot window: controls, the sweep in slices, the chart and the table, and the
// ways out (clipboard, CSV, image, printer).
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
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/dialogs/text_print_form.h"
#include "app/sweep_table_model.h"
#include "engine/lexer.h"
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

// The first declared variable that the formula names (names ignore case).
// The formula is scanned by the engine's own lexer, up to a malformed number if any.
int FirstVariableOfFormula(const TPlotSource& source) {
    try {
        for (TExprSimpleLexer lexer(source.Formula); lexer.CurrentToken() != tokEnd;
             lexer.NextToken()) {
            if (lexer.CurrentToken() != tokIdent) continue;
            for (std::size_t n = 0; n < source.Names.size(); ++n)
                if (SameVariableName(lexer.TokenText(), source.Names[n])) return static_cast<int>(n);
        }
    } catch (const Exception&) {
    }
    return 0;
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

TPlotWindow::TPlotWindow(std::function<TPlotSource()> source, QWidget* parent)
    : QWidget(parent, Qt::Window), FSource(std::move(source)) {
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
    Tabs = new QTabWidget(this);
    Tabs->addTab(ChartView, QStringLiteral("Chart"));
    Tabs->addTab(TableView, QStringLiteral("Table"));
    StatusLine = new QLabel(this);
    StatusLine->setTextFormat(Qt::PlainText);
    StatusLine->setWordWrap(true);
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
    const TPlotSource source = FSource();
    const QString before = VariableBox->currentText();
    VariableBox->clear();
    for (const std::string& name : source.Names)
        VariableBox->addItem(FromStd(name));
    const int first = FirstVariableOfFormula(source);
    VariableBox->setCurrentIndex(first);
    if (VariableBox->currentText() != before || FromBox->text().isEmpty()) PrefillRange(source);
}

// From half the variable's value to one and a half times it (-1 to 1 around 0).
void TPlotWindow::PrefillRange(const TPlotSource& source) {
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

void TPlotWindow::Plot() {
    FStepper->stop();
    FPlotted = FSource();
    const TSweepRange range{VariableBox->currentText().toStdString(),
                            FromBox->text().toStdString(), ToBox->text().toStdString(),
                            ReadSweepPoints(PointsBox->text().toStdString()),
                            LogBox->isChecked()};
    auto sweep = std::make_unique<TSweep>(FPlotted.Formula, FPlotted.Names, FPlotted.ValueTexts, range);
    FSweep = std::move(sweep);
    FTableModel->SetPoints(nullptr, {});
    FPoints.clear();
    FPoints.reserve(static_cast<std::size_t>(FSweep->PointCount()));
    FSummary = {};
    FNext = 0;
    Progress->setRange(0, static_cast<int>(FSweep->PointCount()));
    Progress->setValue(0);
    Progress->show();
    StatusLine->clear();
    FStepper->start();
}

bool TPlotWindow::Computing() const {
    return FStepper->isActive();
}

// One slice of the sweep; the last one draws.
void TPlotWindow::Step() {
    QElapsedTimer clock;
    clock.start();
    while (FNext < FSweep->PointCount()) {
        FPoints.push_back(FSweep->Evaluate(FNext++));
        FSummary.Add(FPoints.back());
        if ((FNext & 1023) == 0 && clock.elapsed() >= SliceMilliseconds) break;
    }
    Progress->setValue(static_cast<int>(FNext));
    if (FNext < FSweep->PointCount()) return;
    FStepper->stop();
    Progress->hide();
    Draw();
}

void TPlotWindow::Draw() {
    FTableModel->SetPoints(&FPoints, FromStd(FSweep->SweptName()));
    FChart->removeAllSeries();
    for (QAbstractAxis* axis : FChart->axes())
        FChart->removeAxis(axis);
    FChart->setLocale(ChartLocale());

    // Runs of computed points become line series; a failed point leaves a gap. More
    // points than can be seen are reduced to each slice's lowest and highest.
    double low = INFINITY, high = -INFINITY;
    for (const TSweepPoint& p : FPoints)
        if (p.Message.empty()) {
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
    if (FSweep->Logarithmic()) {
        auto* axis = new QLogValueAxis;
        axis->setLabelFormat(QStringLiteral("%.6g"));
        axis->setMinorTickCount(-1);
        xAxis = axis;
    } else {
        auto* axis = new QValueAxis;
        axis->setLabelFormat(QStringLiteral("%.6g"));
        xAxis = axis;
    }
    xAxis->setTitleText(FromStd(FSweep->SweptName()));
    const double left = std::min(FSweep->From(), FSweep->To());
    const double right = std::max(FSweep->From(), FSweep->To());
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
                           .arg(FromStd(FSweep->SweptName()), Number(p.X),
                                p.Message.empty() ? Number(p.Value) : FromStd(p.Message)),
                       ChartView);
}

QString TPlotWindow::TableText() const {
    QString text;
    if (!FSweep) return text;
    text += FromStd(FSweep->SweptName()) + QStringLiteral("\tF\n");
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
    if (!FSweep) return text;
    text += field(FromStd(FSweep->SweptName())) + separator + QStringLiteral("F\n");
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
        if (FSweep && FPlotted.Names[i] != FSweep->SweptName())
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
