// The plot window "Plot - Zentavo": one variable of the main window's formula swept
// over a range while the others keep their values, shown as a curve (Qt Charts) and
// as a table of the points, with copy, CSV, image and print; Solve finds where the
// formula takes a target value, marks the roots and extremes on the curve and lists
// them. Non-modal, created once and brought forward again. It reads the main
// window's formula and variables at each Plot or Solve press, and changes them only
// when the user asks for a root to be used as the variable's value.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/plot_chart.h"
#include "session/calculation_session.h"
#include "session/sweep_run.h"

class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class TSolutionTableModel;
class TSweepTableModel;

// Writes a value text into the cell of the named variable in the main window.
using TUseValue = std::function<void(const std::string& name, const std::string& valueText)>;

class TPlotWindow : public QWidget {
    Q_OBJECT

public:
    TPlotWindow(std::function<TFormulaInputs()> source, TUseValue useValue, QWidget* parent);
    ~TPlotWindow() override;

    // Shows the window in front with the main window's variables offered.
    void ShowForSource();
    // The same, with the target box focused for a Solve.
    void ShowForSolve();
    // Reads the source and the boxes and computes the sweep (in slices, so the window
    // keeps answering), then draws it. Bad input raises its message; nothing runs.
    void Plot();
    // The same for a solve with the target box's value: draws the curve, marks and
    // lists the findings. Bad input raises its message; nothing runs.
    void Solve();
    bool Computing() const;
    // Writes the x of the selected root in the Results into the main window's cell of
    // the solved variable; nothing when the selected row is not a root.
    void UseSelectedValue();
    // The findings of the last solve (none after a Plot).
    const TSolution* Solution() const;

    // The points of the last plot and what was plotted.
    const std::vector<TSweepPoint>& Points() const noexcept { return FRun.Points(); }
    // The table as text: a header row and one row per point, fields separated by tabs.
    QString TableText() const;
    // The CSV text: "," between fields with the separator ".", ";" with ",".
    QString CsvText() const;
    // ".csv" is added to a path without a suffix.
    void SaveCsv(const QString& path) const;
    // SVG by the file's suffix, else PNG at 1600 x 1000 on white (".png" added to a
    // path without a suffix).
    void SaveImage(const QString& path);
    // One page: the formula and the fixed variables' values as a caption, the chart.
    void PrintTo(QPrinter& printer);
    // The printed page's caption: what the shown curve was computed from.
    QString Caption() const;

    // Child widgets, owned through Qt's parent chain.
    QComboBox* VariableBox;
    QLineEdit *FromBox, *ToBox, *PointsBox;
    QCheckBox* LogBox;
    QPushButton *PlotButton, *CopyButton, *CsvButton, *ImageButton, *PrintButton;
    QLineEdit* TargetBox;
    QPushButton* SolveButton;
    QTabWidget* Tabs;
    QChartView* ChartView;
    QTableView* TableView;
    QWidget* ResultsPage;
    QTableView* ResultsView;
    QPushButton* UseValueButton;
    QLabel* StatusLine;
    QProgressBar* Progress;

private:
    QFormLayout* BuildRangeControls();
    QTabWidget* BuildPages();
    QHBoxLayout* BuildOutputButtons();
    void ConnectActions();
    void OfferVariables();
    void RefreshVariables(const TFormulaInputs& source);
    void OfferNames(const TFormulaInputs& source, bool keepChoice);
    void PrefillRange(const TFormulaInputs& source);
    TSweepRange RangeOfBoxes() const;
    void Start();
    void Step();
    void Draw();
    void DrawFindings();
    QString SolveStatus() const;
    // The sweep behind what is shown: the plot's, or the solve's.
    const TSweep* Swept() const;
    // "x = 1.5    F = 5.66363" for the point nearest the drawn x; empty when none.
    QString NearestPointText(double drawnX) const;

    std::function<TFormulaInputs()> FSource;
    TUseValue FUseValue;
    TSweepRun FRun; // the last Plot's or Solve's
    QTimer* FStepper;
    QChart* FChart;
    TSweepTableModel* FTableModel;
    TSolutionTableModel* FResultsModel;
    TCurveUnits FUnits; // how the chart draws x and F

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
