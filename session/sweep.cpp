// Sweeps: checking the input, compiling once, evaluating point by point.
#include "session/sweep.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/error_display_text.h"
#include "platform/floating_point.h"
#include "session/bound_formula.h"
#include "session/double_order.h"

long ReadSweepPoints(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    long points = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), points);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        points < MinSweepPoints || points > MaxSweepPoints)
        throw ESweepError(std::string(SweepMessages::PointCount));
    return points;
}

TSweep::TSweep(std::string_view formula, std::span<const std::string> names,
               std::span<const std::string> valueTexts, const TSweepRange& range)
    : FPoints(range.Points), FLogarithmic(range.Logarithmic) {
    Assert(valueTexts.size() == names.size());
    if (FPoints < MinSweepPoints || FPoints > MaxSweepPoints)
        throw ESweepError(std::string(SweepMessages::PointCount));
    if (names.empty()) throw ESweepError(std::string(SweepMessages::NoVariable));
    FSwept = names.size();
    for (std::size_t i = 0; i < names.size() && FSwept == names.size(); ++i)
        if (SameVariableName(names[i], range.Name)) FSwept = i;
    if (FSwept == names.size())
        throw ESweepError(FormatMessage(SweepMessages::NotDeclared, range.Name));
    FSweptName = names[FSwept];
    if (TrimBlanks(range.FromText).empty())
        throw ESweepError(std::string(SweepMessages::FromEmpty));
    if (TrimBlanks(range.ToText).empty()) throw ESweepError(std::string(SweepMessages::ToEmpty));
    FFrom = ReadVariableValue(range.FromText);
    FTo = ReadVariableValue(range.ToText);
    if (FFrom == FTo) throw ESweepError(std::string(SweepMessages::SameEnds));
    if (FLogarithmic && !(FFrom > 0 && FTo > 0))
        throw ESweepError(std::string(SweepMessages::LogarithmicRange));
    const double coarse = std::max(std::fabs(FFrom), std::fabs(FTo));
    const long double step = std::fabs(static_cast<long double>(FTo) - FFrom) / (FPoints - 1);
    FThroughDoubles = !FLogarithmic && step < coarse - std::nextafter(coarse, 0.0);

    // The swept variable starts at From, which was read above and reads again the same.
    std::vector<std::string> texts(valueTexts.begin(), valueTexts.end());
    texts[FSwept] = range.FromText;
    FValues.assign(names.size(), 0.0);
    FFormula = std::make_unique<TBoundFormula>(formula, names, FValues, texts);
}

// Each point from its index alone, in long double, with every step monotone in i and
// one rounding to double at the end: the x column never goes back, and round values
// come out round (-1 + 4 * 2/10 is -0.2). Where the points lie closer than the
// doubles at the range's coarse end, they step evenly through the doubles instead,
// so they repeat only when the range holds fewer doubles than points.
double TSweep::SweptValue(long i) const noexcept {
    if (i <= 0) return FFrom;
    if (i >= FPoints - 1) return FTo;
    const long double steps = static_cast<long double>(FPoints - 1);
    if (FLogarithmic) {
        const long double low = std::log(static_cast<long double>(FFrom));
        const long double high = std::log(static_cast<long double>(FTo));
        return Inside(static_cast<double>(std::exp(low + (high - low) * i / steps)));
    }
    if (FThroughDoubles) {
        const std::int64_t from = OrderKey(FFrom), to = OrderKey(FTo);
        // few doubles apart (the range is narrow), so the offset is exact in long double
        const long double offset = static_cast<long double>(to - from) * i / steps;
        return FromOrderKey(from + std::llround(offset));
    }
    const long double span = static_cast<long double>(FTo) - FFrom;
    return Inside(static_cast<double>(FFrom + span * i / steps));
}

double TSweep::Inside(double x) const noexcept {
    return std::clamp(x, std::min(FFrom, FTo), std::max(FFrom, FTo));
}

TSweepPoint TSweep::EvaluateAt(double x) {
    TSweepPoint point;
    point.X = x;
    FValues[FSwept] = point.X;
    try {
        point.Value = FFormula->Evaluate();
    } catch (const Exception& e) {
        point.Message = ErrorDisplayText(e.Message());
    }
    return point;
}
