// The plot window's construction: the range controls, the Chart, Table and Results
// pages, the output buttons, and what each control does.
#include "app/plot_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <algorithm>

#include "app/application.h"
#include "app/plot_chart.h"
#include "app/qt_text.h"
#include "app/solution_table_model.h"
#include "app/sweep_table_model.h"

namespace {

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
    // A plain white chart, as it goes into a report: no rounded grey frame or shadow.
    FChart->setBackgroundRoundness(0);
    FChart->setDropShadowEnabled(false);
    FChart->setBackgroundBrush(Qt::white);
    FChart->setTitleBrush(QColor(0x33, 0x33, 0x33));
    FChart->legend()->hide();
    FChart->setLocalizeNumbers(true);
    ChartView =
        new TPointingChartView(FChart, [this](double drawnX) { return NearestPointText(drawnX); });
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
    VariableBox->installEventFilter(this);
    LogBox->installEventFilter(this);
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
