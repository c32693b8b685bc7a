// The plot window "Plot - Zentavo": one variable of the main window's formula swept
// over a range while the others keep their values, shown as a curve (Qt Charts) and
// as a table of the points, with copy, CSV, image and print. Non-modal, created once
// and brought forward again. It reads the main window's formula and variables at
// each Plot press and never changes them.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/sweep.h"

class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class TSweepTableModel;

// What the window plots: the main window's formula and its declared variables with
// their value texts.
struct TPlotSource {
    std::string Formula;
    std::vector<std::string> Names, ValueTexts;
};

class TPlotWindow : public QWidget {
    Q_OBJECT

public:
    TPlotWindow(std::function<TPlotSource()> source, QWidget* parent);
    ~TPlotWindow() override;

    // Shows the window in front with the main window's variables offered.
    void ShowForSource();
    // Reads the source and the boxes and computes the sweep (in slices, so the window
    // keeps answering), then draws it. Bad input raises its message; nothing runs.
    void Plot();
    bool Computing() const;

    // The points of the last plot and what was plotted.
    const std::vector<TSweepPoint>& Points() const noexcept { return FPoints; }
    // The table as text: a header row and one row per point, fields separated by tabs.
    QString TableText() const;
    // The CSV text: "," between fields with the separator ".", ";" with ",".
    QString CsvText() const;
    void SaveCsv(const QString& path) const;
    // PNG or SVG, by the file's suffix.
    void SaveImage(const QString& path);
    // One page: the formula and the fixed variables' values as a caption, the chart.
    void PrintTo(QPrinter& printer);

    // Child widgets, owned through Qt's parent chain.
    QComboBox* VariableBox;
    QLineEdit *FromBox, *ToBox, *PointsBox;
    QCheckBox* LogBox;
    QPushButton *PlotButton, *CopyButton, *CsvButton, *ImageButton, *PrintButton;
    QTabWidget* Tabs;
    QChartView* ChartView;
    QTableView* TableView;
    QLabel* StatusLine;
    QProgressBar* Progress;

private:
    void OfferVariables();
    void PrefillRange(const TPlotSource& source);
    void Step();
    void Draw();
    void ShowNearestPoint(double x, const QPoint& globalPosition);
    QString Caption() const;

    std::function<TPlotSource()> FSource;
    TPlotSource FPlotted; // what the last Plot read
    std::unique_ptr<TSweep> FSweep;
    std::vector<TSweepPoint> FPoints;
    TSweepSummary FSummary;
    long FNext = 0;
    QTimer* FStepper;
    QChart* FChart;
    TSweepTableModel* FTableModel;
    bool FCentred = false;

protected:
    void showEvent(QShowEvent* event) override;
};
