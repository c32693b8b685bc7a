// Sweeps: checking the input, compiling once, evaluating point by point.
#include "session/sweep.h"

#include <charconv>
#include <cmath>

#include "platform/error_display_text.h"
#include "platform/floating_point.h"
#include "session/bound_formula.h"

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
    FSwept = names.size();
    for (std::size_t i = 0; i < names.size() && FSwept == names.size(); ++i)
        if (SameVariableName(names[i], range.Name)) FSwept = i;
    if (FSwept == names.size())
        throw ESweepError(FormatMessage(SweepMessages::NotDeclared, range.Name));
    FSweptName = names[FSwept];
    FFrom = ReadVariableValue(range.FromText);
    FTo = ReadVariableValue(range.ToText);
    if (FFrom == FTo) throw ESweepError(std::string(SweepMessages::SameEnds));
    if (FLogarithmic && !(FFrom > 0 && FTo > 0))
        throw ESweepError(std::string(SweepMessages::LogarithmicRange));

    // The swept variable starts at From, which was read above and reads again the same.
    std::vector<std::string> texts(valueTexts.begin(), valueTexts.end());
    texts[FSwept] = range.FromText;
    FValues.assign(names.size(), 0.0);
    FFormula = std::make_unique<TBoundFormula>(formula, names, FValues, texts);
}

double TSweep::SweptValue(long i) const noexcept {
    if (i <= 0) return FFrom;
    if (i >= FPoints - 1) return FTo;
    const double t = static_cast<double>(i) / static_cast<double>(FPoints - 1);
    if (FLogarithmic) return std::exp(std::log(FFrom) + (std::log(FTo) - std::log(FFrom)) * t);
    return FFrom * (1 - t) + FTo * t; // never overflows between two finite ends
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
