// The units and ticks of a chart axis: values drawn from an offset where their span
// is narrow against them and in a power of ten where they are far from 1, so that
// every range gets an axis the chart can draw, with ticks at round values labelled
// as the result box writes numbers.
#pragma once

#include <QString>

class QCategoryAxis;

// How an axis draws its values: v at (v - Offset) * 10^-Exponent, so that values far
// from 1 in magnitude, or a span narrow against its distance from 0, come out in a
// range the chart handles with readable ticks; the axis title says how. A logarithmic
// axis draws v at log10(v).
struct TAxisUnits {
    double Offset = 0;
    int Exponent = 0;
    bool Logarithmic = false;
    double Map(double v) const noexcept;
    double Unmap(double drawn) const noexcept;
};

// The units for values from low to high: an offset at low when the span is narrow
// against them, then a power of ten when what is left is far from 1.
TAxisUnits UnitsFor(double low, double high);

// The axis title with its units: "x", "x - 1", "F (×1E-8)", "x - 1 (×1E-14)".
QString UnitsTitle(const QString& name, const TAxisUnits& units);

// An axis over exactly [low, high] (drawn values), its ticks at round values inside,
// each labelled as the result box writes it.
QCategoryAxis* RoundTicksAxis(double low, double high);
// A logarithmic axis over exactly [low, high] (values, both above 0), drawn in
// log10: ticks at powers of ten, or at 1, 2 and 5 times them over less than two
// decades, or at round values over less than one, labelled as the result box writes.
QCategoryAxis* LogTicksAxis(double low, double high);
