// Axis units and round ticks.
#include "app/axis_units.h"

#include <QtCharts/QCategoryAxis>
#include <algorithm>
#include <cmath>

#include "app/qt_text.h"

namespace {

// A span narrower than this part of its distance from 0 is drawn from an offset.
constexpr long double NarrowSpan = 1E-9L;

// A step of 1, 2 or 5 times a power of ten that cuts the span into about five.
double NiceStep(double span) {
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / power;
    return (mantissa < 1.5 ? 1 : mantissa < 3.5 ? 2 : mantissa < 7.5 ? 5 : 10) * power;
}

// An empty axis over [low, high] whose labels stand at their values.
QCategoryAxis* TicksAxis(double low, double high) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(low, high);
    return axis;
}

} // namespace

double TAxisUnits::Map(double v) const noexcept {
    if (Logarithmic) return std::log10(v);
    return static_cast<double>((static_cast<long double>(v) - Offset) * std::pow(10.0L, -Exponent));
}

double TAxisUnits::Unmap(double drawn) const noexcept {
    if (Logarithmic) return std::pow(10.0, drawn);
    return static_cast<double>(drawn * std::pow(10.0L, Exponent) + Offset);
}

TAxisUnits UnitsFor(double low, double high) {
    TAxisUnits units;
    const long double span = static_cast<long double>(high) - low;
    const long double largest = std::max(std::fabs(low), std::fabs(high));
    if (span > 0 && span < largest * NarrowSpan) units.Offset = low;
    const long double reach = std::max(std::fabs(static_cast<long double>(low) - units.Offset),
                                       std::fabs(static_cast<long double>(high) - units.Offset));
    if (reach > 0 && (reach < 1E-4L || reach >= 1E7L))
        units.Exponent = static_cast<int>(std::floor(std::log10(reach)));
    return units;
}

QString UnitsTitle(const QString& name, const TAxisUnits& units) {
    QString title = name;
    if (units.Offset != 0)
        title += (units.Offset < 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) +
                 NumberText(std::fabs(units.Offset));
    if (units.Exponent != 0) title += QStringLiteral(" (\u00d71E%1)").arg(units.Exponent);
    return title;
}

// The axis spans exactly [low, high], its ticks at round values inside, each
// labelled as the result box writes it (the regional separator, no exponent for
// these magnitudes, and no more digits than the step needs).
QCategoryAxis* RoundTicksAxis(double low, double high) {
    QCategoryAxis* axis = TicksAxis(low, high);
    const double step = NiceStep(high - low);
    for (double k = std::ceil(low / step), last = k + 20; k * step <= high && k <= last; ++k) {
        const double tick = k * step;
        // a tick a rounding away from 0 is 0
        axis->append(NumberText(std::fabs(tick) < step * 1E-9 ? 0.0 : tick), tick);
    }
    return axis;
}

QCategoryAxis* LogTicksAxis(double low, double high) {
    QCategoryAxis* axis = TicksAxis(std::log10(low), std::log10(high));
    const double decades = std::log10(high) - std::log10(low);
    if (decades < 1) {
        const double step = NiceStep(high - low);
        for (double k = std::ceil(low / step), last = k + 20; k * step <= high && k <= last; ++k)
            axis->append(NumberText(k * step), std::log10(k * step));
        return axis;
    }
    // Powers of ten (every n-th, so that about seven are labelled), and 2 and 5 times
    // them as well over less than two decades.
    constexpr double Multiples[] = {1, 2, 5};
    const int multiples = decades < 2 ? 3 : 1;
    const int every = std::max(1, static_cast<int>(std::ceil(decades / 7)));
    const int last = static_cast<int>(std::ceil(std::log10(high)));
    for (int k = static_cast<int>(std::floor(std::log10(low))); k <= last; ++k) {
        if (k % every != 0) continue;
        for (int m = 0; m < multiples; ++m) {
            const double tick = Multiples[m] * std::pow(10.0, k);
            if (tick >= low && tick <= high) axis->append(NumberText(tick), std::log10(tick));
        }
    }
    return axis;
}
