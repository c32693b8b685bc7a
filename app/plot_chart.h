// The plot window's chart: a sweep's points as a curve (gaps at failed points, no
// more points than can be seen), its axes with round ticks in a unit that suits the
// values, and a solve's findings as markers with a legend.
#pragma once

#include <QtCharts/QChartView>
#include <functional>
#include <vector>

#include "app/axis_units.h"
#include "session/solver.h"
#include "session/sweep.h"

class QGraphicsSimpleTextItem;

// A chart view that names the point nearest the mouse: it asks for the text of the
// drawn x under the mouse and shows it in the top right corner of the plot area,
// until the mouse leaves (an empty text shows nothing).
class TPointingChartView : public QChartView {
public:
    TPointingChartView(QChart* chart, std::function<QString(double drawnX)> readout);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::function<QString(double)> FReadout;
    QGraphicsSimpleTextItem* FText = nullptr; // owned by the chart's scene
};

// The units the two axes of a drawn curve use.
struct TCurveUnits {
    TAxisUnits X, Y;
};

// Replaces what the chart shows by the points of the sweep, titled with the formula.
// A solver's samples next to a pole stay out of the value axis's range. Ticks stand
// at round values, labelled as the result box writes numbers.
TCurveUnits DrawCurve(QChart& chart, const std::vector<TSweepPoint>& points, const TSweep& sweep,
                      const TSolver* solver, const QString& title);

// Adds a finished solve's findings to the curve drawn in the given units: roots,
// touching roots and extremes as markers, each pole as a dashed line, the target as
// a dotted line, and a legend of what is marked.
void DrawFindings(QChart& chart, const TSolver& solver, const TCurveUnits& units);
