// The plot window's chart: a sweep's points as a curve (gaps at failed points, no
// more points than can be seen), its axes with round ticks in a unit that suits the
// values, and a solve's findings as markers with a legend.
#pragma once

#include <QtCharts/QChartView>
#include <functional>
#include <vector>

#include "session/solver.h"
#include "session/sweep.h"

// A chart view that reports the x under the mouse (for naming the nearest point).
class TPointingChartView : public QChartView {
public:
    TPointingChartView(QChart* chart, std::function<void(double, const QPoint&)> show);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::function<void(double, const QPoint&)> FShow;
};

// Replaces what the chart shows by the points of the sweep, titled with the formula.
// A solver's samples next to a pole stay out of the value axis's range. Returns the
// unit F is drawn in (a power of ten, named in the axis title).
double DrawCurve(QChart& chart, const std::vector<TSweepPoint>& points, const TSweep& sweep,
                 const TSolver* solver, const QString& title);

// Adds a finished solve's findings to the curve drawn in the given unit: roots,
// touching roots and extremes as markers, each pole as a dashed line, the target as
// a dotted line, and a legend of what is marked.
void DrawFindings(QChart& chart, const TSolver& solver, double unit);
