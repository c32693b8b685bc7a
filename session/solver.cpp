// The solver: sampling, the search around each sample for crossings, dips and
// poles, and the list of findings (the refinement of each is in
// solver_refinement.cpp).
#include "session/solver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/number_text.h"
#include "session/bound_formula.h"
#include "session/solver_refinement.h"

namespace {

// A dip of |g| that comes this close to 0, relative to the largest |g| sampled,
// without crossing it is a touching root.
constexpr long double TouchTolerance = 0x1p-40L;
constexpr std::size_t SampleBatch = 256;

int Sign(long double value) {
    return (value > 0) - (value < 0);
}

bool Computed(const TSweepPoint& point) {
    return point.Message.empty();
}

} // namespace

bool IsRootKind(TFindingKind kind) {
    return kind == TFindingKind::Root || kind == TFindingKind::TouchingRoot;
}

std::vector<TFinding> TSolution::Shown() const {
    std::vector<TFinding> shown = Findings;
    for (const auto& extreme : {Minimum, Maximum})
        if (extreme) shown.push_back(*extreme);
    return shown;
}

std::string_view FindingKindName(TFindingKind kind) {
    switch (kind) {
    case TFindingKind::Root:
        return "root";
    case TFindingKind::TouchingRoot:
        return "touching root";
    case TFindingKind::PoleOrJump:
        return "pole or jump";
    case TFindingKind::Minimum:
        return "minimum";
    case TFindingKind::Maximum:
        return "maximum";
    }
    return {};
}

TSolver::TSolver(std::string_view formula, std::span<const std::string> names,
                 std::span<const std::string> valueTexts, const TSweepRange& range,
                 std::string_view targetText)
    : FSweep(formula, names, valueTexts, range), FTarget(ReadVariableValue(targetText)) {
    FSamples.reserve(static_cast<std::size_t>(FSweep.PointCount()));
}

long TSolver::WorkDone() const noexcept {
    switch (FPhase) {
    case TPhase::Sampling:
        return static_cast<long>(FSamples.size());
    case TPhase::Searching:
        return FSweep.PointCount() + static_cast<long>(FNext);
    case TPhase::Done:
        break;
    }
    return WorkLength();
}

bool TSolver::Step() {
    const auto count = static_cast<std::size_t>(FSweep.PointCount());
    switch (FPhase) {
    case TPhase::Sampling:
        for (std::size_t k = 0; k < SampleBatch && FSamples.size() < count; ++k) {
            FSamples.push_back(Evaluate(FSweep.SweptValue(static_cast<long>(FSamples.size()))));
            FSolution.FailedSamples.Add(FSamples.back());
        }
        if (FSamples.size() == count) FPhase = TPhase::Searching;
        return true;
    case TPhase::Searching:
        SearchAround(FNext++);
        if (FNext == count) Finish();
        return !Done();
    case TPhase::Done:
        break;
    }
    return false;
}

TSweepPoint TSolver::Evaluate(double x) {
    TSweepPoint point = FSweep.EvaluateAt(x);
    if (Computed(point) &&
        (!FSolution.Closest || std::fabs(G(point)) < std::fabs(G(*FSolution.Closest))))
        FSolution.Closest = point;
    return point;
}

// g = F - T, exact in sign and never beyond the range of long double.
long double TSolver::G(const TSweepPoint& point) const noexcept {
    return static_cast<long double>(point.Value) - FTarget;
}

bool TSolver::Usable(std::size_t i) const noexcept {
    return i < FSamples.size() && Computed(FSamples[i]);
}

// What starts at sample i: a root there, a sign change to the next sample, a dip of
// |g| around it; at a failed sample, the roots on the way to it from its computed
// neighbours, and a pole there when g has opposite signs on its two sides.
void TSolver::SearchAround(std::size_t i) {
    const TSweepPoint& point = FSamples[i];
    if (!Computed(point)) {
        int signs[2] = {0, 0};
        const std::size_t sides[2] = {i - 1, i + 1}; // i - 1 wraps above every index for i = 0
        for (int k = 0; k < 2; ++k)
            if (Usable(sides[k])) signs[k] = Sign(G(ProbeTowards(FSamples[sides[k]], point.X)));
        if (signs[0] * signs[1] < 0)
            FSolution.Findings.push_back({TFindingKind::PoleOrJump, point});
        return;
    }
    const int sign = Sign(G(point));
    if (sign == 0) {
        SearchZeroSample(i);
        return;
    }
    if (Usable(i + 1) && Sign(G(FSamples[i + 1])) == -sign) RefineCrossing(point, FSamples[i + 1]);
    SearchDip(i);
}

// Marks the two samples around each pole or jump found.
void TSolver::MarkSamplesBesidePoles() {
    FBesidePole.assign(FSamples.size(), false);
    const bool rising = FSweep.From() < FSweep.To();
    for (const TFinding& finding : FSolution.Findings) {
        if (finding.Kind != TFindingKind::PoleOrJump) continue;
        // The samples run up or down in x; the pole lies between two of them or on one.
        const double x = finding.Point.X;
        const auto it = std::lower_bound(
            FSamples.begin(), FSamples.end(), x,
            [rising](const TSweepPoint& p, double v) { return rising ? p.X < v : p.X > v; });
        const auto k = static_cast<std::size_t>(it - FSamples.begin());
        if (k < FSamples.size()) FBesidePole[k] = true;
        if (k > 0) FBesidePole[k - 1] = true;
        if (k + 1 < FSamples.size() && FSamples[k].X == x) FBesidePole[k + 1] = true;
    }
}

// The largest |g| among the computed samples that are not beside a pole.
long double TSolver::MeasureScale() const {
    long double scale = 0;
    for (std::size_t i = 0; i < FSamples.size(); ++i)
        if (Usable(i) && !BesidePole(i)) scale = std::max(scale, std::fabs(G(FSamples[i])));
    return scale;
}

// Walks from a computed sample towards a failed one, halving the distance at each
// step until a point fails or the doubles run out, and refines every sign change on
// the way: a root next to a failed sample (x*x/(0.01-x) at 0.00944, with 0.01 a
// sample) is found without any bracket reaching the failure. Returns the last
// computed point.
TSweepPoint TSolver::ProbeTowards(const TSweepPoint& from, double failedX) {
    TSweepPoint last = from;
    const double distance = from.X - failedX;
    for (int k = 1; k <= std::numeric_limits<double>::digits + 11; ++k) {
        const double x = failedX + std::ldexp(distance, -k);
        if (x == failedX || x == last.X) break;
        const TSweepPoint probe = Evaluate(x);
        if (!Computed(probe)) break;
        if (Sign(G(probe)) * Sign(G(last)) < 0)
            RefineCrossing(last, probe);
        else if (G(probe) == 0)
            FSolution.Findings.push_back({TFindingKind::Root, probe});
        last = probe;
        if (G(probe) == 0) break;
    }
    return last;
}

// A sample where g is 0 is a root. Between it and a neighbour of one sign, g may dip
// to the other sign (two roots within one sample interval): that crossing is
// refined too. A zero between two neighbours of one sign with no such dip is a
// touching root.
void TSolver::SearchZeroSample(std::size_t i) {
    const TSweepPoint& zero = FSamples[i];
    int signs[2] = {0, 0};
    const std::size_t sides[2] = {i - 1, i + 1}; // i - 1 wraps above every index for i = 0
    for (int k = 0; k < 2; ++k)
        if (Usable(sides[k])) signs[k] = Sign(G(FSamples[sides[k]]));
    bool crossed = false;
    if (signs[0] * signs[1] >= 0) {
        for (int k = 0; k < 2; ++k) {
            if (signs[k] == 0) continue;
            const TSweepPoint& side = FSamples[sides[k]];
            const TSweepPoint dip =
                MinimiseSigned(std::min(zero.X, side.X), std::max(zero.X, side.X), signs[k], true);
            if (Computed(dip) && Sign(G(dip)) == -signs[k]) {
                RefineCrossing(dip, side);
                crossed = true;
            }
        }
    }
    const bool touching = signs[0] != 0 && signs[0] == signs[1] && !crossed;
    FSolution.Findings.push_back(
        {touching ? TFindingKind::TouchingRoot : TFindingKind::Root, zero});
}

// A sample whose |g| is smaller than at its neighbours of the same sign may sit
// beside two roots or a touching root that the samples do not show: the smallest
// |g| between the neighbours is looked for, and what it reveals refined.
void TSolver::SearchDip(std::size_t i) {
    const TSweepPoint& point = FSamples[i];
    const long double g = G(point);
    const int sign = Sign(g);
    std::size_t low = i, high = i;
    for (const std::size_t side : {i - 1, i + 1}) {
        if (!Usable(side)) continue; // no search reaches across a failed sample
        const long double neighbour = G(FSamples[side]);
        if (Sign(neighbour) != sign) return; // a crossing or a root is there
        if (side < i ? std::fabs(g) >= std::fabs(neighbour) : std::fabs(g) > std::fabs(neighbour))
            return;
        (side < i ? low : high) = side;
    }
    if (low == high) return;
    const TSweepPoint& a = FSamples[low];
    const TSweepPoint& b = FSamples[high];
    TSweepPoint dip = MinimiseSigned(std::min(a.X, b.X), std::max(a.X, b.X), sign, true);
    if (!Computed(dip) || sign * G(dip) > sign * g) dip = point;
    const int dipSign = Sign(G(dip));
    if (dipSign == -sign) {
        RefineCrossing(a, dip);
        RefineCrossing(dip, b);
    } else if (dipSign == 0) {
        FSolution.Findings.push_back({TFindingKind::TouchingRoot, dip});
    } else if (dip.X != FSweep.From() && dip.X != FSweep.To()) {
        FDips.push_back(dip);
    }
}

// The refinements run on this solver's evaluations, so that each also counts for
// the closest approach.
void TSolver::RefineCrossing(TSweepPoint a, TSweepPoint b) {
    const TCrossing crossing =
        CloseSignChange([this](double x) { return Evaluate(x); }, FTarget, a, b);
    FSolution.Findings.push_back(
        {crossing.Root ? TFindingKind::Root : TFindingKind::PoleOrJump, crossing.Point});
}

TSweepPoint TSolver::MinimiseSigned(double lo, double hi, int sign, bool ofG) {
    return MinimiseOnInterval([this](double x) { return Evaluate(x); }, FTarget, lo, hi, sign, ofG);
}

// The smallest (or largest) F: the best sample, refined between its neighbours.
std::optional<TFinding> TSolver::RefineExtreme(TFindingKind kind) {
    const int sign = kind == TFindingKind::Minimum ? 1 : -1;
    std::size_t best = FSamples.size();
    for (std::size_t i = 0; i < FSamples.size(); ++i)
        if (Usable(i) &&
            (best == FSamples.size() || sign * FSamples[i].Value < sign * FSamples[best].Value))
            best = i;
    if (best == FSamples.size()) return std::nullopt;
    TFinding finding{kind, FSamples[best]};
    const double low = Usable(best - 1) ? FSamples[best - 1].X : finding.Point.X;
    const double high = Usable(best + 1) ? FSamples[best + 1].X : finding.Point.X;
    if (low == high) return finding;
    const TSweepPoint refined =
        MinimiseSigned(std::min(low, high), std::max(low, high), sign, false);
    if (refined.Message.empty() && sign * refined.Value < sign * finding.Point.Value)
        finding.Point = refined;
    return finding;
}

// Takes the dips close enough to 0 as touching roots, sorts the findings by x,
// lists a root found twice once, keeps the first MaxListedFindings, and refines
// the extremes.
void TSolver::Finish() {
    auto& findings = FSolution.Findings;
    MarkSamplesBesidePoles();
    const long double tolerance = TouchTolerance * MeasureScale();
    for (const TSweepPoint& dip : FDips)
        if (std::fabs(G(dip)) <= tolerance) findings.push_back({TFindingKind::TouchingRoot, dip});
    std::stable_sort(findings.begin(), findings.end(), [](const TFinding& l, const TFinding& r) {
        return l.Point.X < r.Point.X || (l.Point.X == r.Point.X && l.Kind < r.Kind);
    });
    const auto twice = [](const TFinding& l, const TFinding& r) {
        return l.Point.X == r.Point.X && IsRootKind(l.Kind) == IsRootKind(r.Kind);
    };
    findings.erase(std::unique(findings.begin(), findings.end(), twice), findings.end());
    FSolution.RootCount = std::count_if(findings.begin(), findings.end(),
                                        [](const TFinding& f) { return IsRootKind(f.Kind); });
    if (findings.size() > MaxListedFindings) {
        FSolution.Truncated = true;
        findings.resize(MaxListedFindings);
    }
    FSolution.Minimum = RefineExtreme(TFindingKind::Minimum);
    FSolution.Maximum = RefineExtreme(TFindingKind::Maximum);
    FPhase = TPhase::Done;
}

std::string RootCountText(const TSolution& solution, double target, double from, double to) {
    const std::string tail = " of F = " + FormatResult(target) + " between " + FormatResult(from) +
                             " and " + FormatResult(to);
    if (solution.RootCount == 0) return "no root" + tail;
    return std::to_string(solution.RootCount) + (solution.RootCount == 1 ? " root" : " roots") +
           tail;
}
