// Drawing a sweep and a solve's findings on a chart.
#include "app/plot_chart.h"

#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/accent_colour.h"
#include "app/qt_text.h"

namespace {

// Points drawn at most: more are reduced to the lowest and highest of each slice
// of x, which looks the same at any window size.
constexpr std::size_t DrawnPointLimit = 4000;

// Light grid lines, grey axis lines, dark labels: the curve is what stands out.
void StyleAxis(QAbstractAxis& axis) {
    axis.setGridLineColor(QColor(0xe4, 0xe7, 0xeb));
    axis.setLinePenColor(QColor(0x9a, 0xa0, 0xa6));
    axis.setLabelsColor(QColor(0x44, 0x44, 0x44));
    axis.setTitleBrush(QColor(0x33, 0x33, 0x33));
    axis.setMinorGridLineVisible(false);
}

void ClearChart(QChart& chart) {
    chart.legend()->hide();
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        const std::unique_ptr<QAbstractAxis> removed(axis); // removeAxis hands it back
    }
}

// The lowest and highest computed values (Low > High when there are none), but for a
// solve's samples next to a pole: those would squash the rest of the curve into a line.
struct TValueSpan {
    double Low = INFINITY, High = -INFINITY;
};

TValueSpan ValuesShown(const std::vector<TSweepPoint>& points, const TSolver* solver) {
    TValueSpan span;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (const TSweepPoint& p = points[i];
            p.Message.empty() && !(solver && solver->BesidePole(i))) {
            span.Low = std::min(span.Low, p.Value);
            span.High = std::max(span.High, p.Value);
        }
    return span;
}

// Runs of computed points as line series; a failed point leaves a gap. More points
// than can be seen are reduced to each slice's lowest and highest.
QList<QXYSeries*> CurveRuns(const std::vector<TSweepPoint>& points, const TCurveUnits& units) {
    const auto at = [&units](const TSweepPoint& p) {
        return QPointF(units.X.Map(p.X), units.Y.Map(p.Value));
    };
    const std::size_t slice = std::max<std::size_t>(1, points.size() / (DrawnPointLimit / 2));
    QList<QXYSeries*> runs;
    QList<QPointF> run;
    const QColor curve = AccentColour();
    // A point alone between failed ones is drawn as a dot, which a line cannot show.
    const auto endRun = [&] {
        if (run.isEmpty()) return;
        QXYSeries* series;
        if (run.size() == 1) {
            auto* dot = new QScatterSeries;
            dot->setMarkerSize(7);
            dot->setColor(curve);
            dot->setBorderColor(curve);
            series = dot;
        } else {
            series = new QLineSeries;
            series->setPen(QPen(curve, 2));
        }
        series->replace(run);
        runs << series;
        run.clear();
    };
    for (std::size_t start = 0; start < points.size(); start += slice) {
        const std::size_t end = std::min(points.size(), start + slice);
        const TSweepPoint* lowest = nullptr;
        const TSweepPoint* highest = nullptr;
        // The slice's lowest and highest so far join the run in the order of x.
        const auto addExtremes = [&] {
            if (!lowest) return;
            const TSweepPoint* first = lowest->X <= highest->X ? lowest : highest;
            const TSweepPoint* second = first == lowest ? highest : lowest;
            run << at(*first);
            if (second != first) run << at(*second);
            lowest = highest = nullptr;
        };
        for (std::size_t i = start; i < end; ++i) {
            const TSweepPoint& p = points[i];
            if (!p.Message.empty()) {
                addExtremes();
                endRun();
                continue;
            }
            if (!lowest || p.Value < lowest->Value) lowest = &p;
            if (!highest || p.Value > highest->Value) highest = &p;
        }
        addExtremes();
    }
    endRun();
    return runs;
}

// The swept variable's axis over exactly [From, To], linear or logarithmic.
QCategoryAxis* MakeXAxis(const TSweep& sweep, const TAxisUnits& units) {
    const double left = std::min(sweep.From(), sweep.To());
    const double right = std::max(sweep.From(), sweep.To());
    QCategoryAxis* xAxis = units.Logarithmic ? LogTicksAxis(left, right)
                                             : RoundTicksAxis(units.Map(left), units.Map(right));
    xAxis->setTitleText(UnitsTitle(FromStd(sweep.SweptName()), units));
    return xAxis;
}

// F's axis over the values with a margin of 5 %, in its units.
QValueAxis* MakeYAxis(const TValueSpan& span, const TAxisUnits& units) {
    double bottom = -1, top = 1;
    if (span.Low <= span.High) {
        bottom = units.Map(span.Low);
        top = units.Map(span.High);
        const double margin =
            bottom == top ? std::max(1.0, std::fabs(bottom)) * 0.05 : (top - bottom) * 0.05;
        bottom -= margin;
        top += margin;
    }
    QValueAxis* yAxis = RoundTicksAxis(bottom, top);
    yAxis->setTitleText(UnitsTitle(QStringLiteral("F"), units));
    return yAxis;
}

void AddToAxes(QChart& chart, QXYSeries* series) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
}

// The roots, touching roots and extremes as markers; the extremes as hollow
// outlines under the roots, so a root at an extreme (a touching root) shows through.
void AddMarkers(QChart& chart, const TSolution& solution, const TCurveUnits& units) {
    const struct {
        TFindingKind Kind;
        QScatterSeries::MarkerShape Shape;
        QColor Colour;
    } markers[] = {
        {TFindingKind::Minimum, QScatterSeries::MarkerShapeTriangle, QColor(0x1f, 0x8a, 0x8a)},
        {TFindingKind::Maximum, QScatterSeries::MarkerShapeRectangle, QColor(0xb8, 0x3a, 0x32)},
        {TFindingKind::Root, QScatterSeries::MarkerShapeCircle, QColor(0x2e, 0x8b, 0x3e)},
        {TFindingKind::TouchingRoot, QScatterSeries::MarkerShapeRotatedRectangle,
         QColor(0xd0, 0x74, 0x1c)},
    };
    const std::vector<TFinding> shown = solution.Shown();
    for (const auto& marker : markers) {
        QList<QPointF> points;
        for (const TFinding& finding : shown)
            if (finding.Kind == marker.Kind)
                points << QPointF(units.X.Map(finding.Point.X), units.Y.Map(finding.Point.Value));
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
        AddToAxes(chart, series);
    }
}

// Each pole as a dashed line across the chart, named once.
void AddPoleLines(QChart& chart, const TSolution& solution, const QValueAxis& yAxis,
                  const TAxisUnits& xUnits) {
    bool named = false;
    for (const TFinding& finding : solution.Findings) {
        if (finding.Kind != TFindingKind::PoleOrJump) continue;
        auto* line = new QLineSeries;
        line->append(xUnits.Map(finding.Point.X), yAxis.min());
        line->append(xUnits.Map(finding.Point.X), yAxis.max());
        line->setPen(QPen(QColor(0x80, 0x80, 0x80), 1.5, Qt::DashLine));
        if (!named) line->setName(QStringLiteral("Pole or jump"));
        named = true;
        AddToAxes(chart, line);
    }
}

// The target as a line across the chart, where it falls inside.
void AddTargetLine(QChart& chart, const TSolver& solver, const QValueAxis& yAxis,
                   const TCurveUnits& units) {
    const double target = units.Y.Map(solver.Target());
    if (!(target >= yAxis.min() && target <= yAxis.max())) return;
    auto* line = new QLineSeries;
    line->append(units.X.Map(std::min(solver.Sweep().From(), solver.Sweep().To())), target);
    line->append(units.X.Map(std::max(solver.Sweep().From(), solver.Sweep().To())), target);
    line->setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1, Qt::DotLine));
    line->setName(QStringLiteral("F = ") + NumberText(solver.Target()));
    AddToAxes(chart, line);
}

// Only the findings are named: the curve's runs stay out of the legend.
void ShowNamedInLegend(QChart& chart) {
    bool anyNamed = false;
    for (QLegendMarker* marker : chart.legend()->markers()) {
        const bool named = !marker->series()->name().isEmpty();
        marker->setVisible(named);
        anyNamed = anyNamed || named;
    }
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart.legend()->setVisible(anyNamed);
}

} // namespace

TPointingChartView::TPointingChartView(QChart* chart, std::function<QString(double)> readout)
    : QChartView(chart), FReadout(std::move(readout)) {
    // The moves reach the view through its viewport, which must track them too.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
}

void TPointingChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text =
        chart()->series().isEmpty() || !chart()->plotArea().contains(event->position())
            ? QString()
            : FReadout(chart()->mapToValue(event->position(), chart()->series().first()).x());
    if (!FText) {
        FText = new QGraphicsSimpleTextItem(chart());
        FText->setBrush(QColor(0x33, 0x33, 0x33));
        FText->setZValue(10);
    }
    FText->setText(text);
    const QRectF area = chart()->plotArea();
    FText->setPos(area.right() - FText->boundingRect().width() - 6, area.top() + 4);
    FText->setVisible(!text.isEmpty());
}

void TPointingChartView::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    if (FText) FText->hide();
}

TCurveUnits DrawCurve(QChart& chart, const std::vector<TSweepPoint>& points, const TSweep& sweep,
                      const TSolver* solver, const QString& title) {
    ClearChart(chart);
    const TValueSpan span = ValuesShown(points, solver);
    TCurveUnits units;
    if (sweep.Logarithmic())
        units.X.Logarithmic = true;
    else
        units.X = UnitsFor(sweep.From(), sweep.To());
    if (span.Low <= span.High) units.Y = UnitsFor(span.Low, span.High);
    QCategoryAxis* xAxis = MakeXAxis(sweep, units.X);
    QValueAxis* yAxis = MakeYAxis(span, units.Y);
    StyleAxis(*xAxis);
    StyleAxis(*yAxis);
    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(yAxis, Qt::AlignLeft);
    for (QXYSeries* series : CurveRuns(points, units))
        AddToAxes(chart, series);
    chart.setTitle(title);
    return units;
}

void DrawFindings(QChart& chart, const TSolver& solver, const TCurveUnits& units) {
    const TSolution& solution = solver.Solution();
    AddMarkers(chart, solution, units);
    if (const auto* yAxis = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0))) {
        AddPoleLines(chart, solution, *yAxis, units.X);
        AddTargetLine(chart, solver, *yAxis, units);
    }
    ShowNamedInLegend(chart);
}
