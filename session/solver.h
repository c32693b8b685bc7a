// Solving F = T for one variable: the formula is sampled over a range as a sweep
// samples it, then every sign change of g = F - T is closed down to two adjacent
// doubles, every dip of |g| between samples is searched for a hidden pair of roots
// or a touching root, and the smallest and largest F are refined from the best
// samples. Like a sweep, a solve touches no log, result box or session counter.
// The work is done in steps, so a window can stay responsive while it runs.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "session/sweep.h"

inline constexpr long DefaultSolvePoints = 1001;
// Roots, touching roots and poles listed at most; more are counted, not listed.
inline constexpr std::size_t MaxListedFindings = 1000;

enum class TFindingKind { Root, TouchingRoot, PoleOrJump, Minimum, Maximum };

// "root", "touching root", "pole or jump", "minimum", "maximum".
std::string_view FindingKindName(TFindingKind kind);
// A root or a touching root.
bool IsRootKind(TFindingKind kind);

struct TFinding {
    TFindingKind Kind = TFindingKind::Root;
    TSweepPoint Point; // x and F there (or the failure there, for a pole)
};

struct TSolution {
    std::vector<TFinding> Findings; // roots, touching roots and poles, sorted by x
    long RootCount = 0;             // roots and touching roots, listed or not
    bool Truncated = false;         // more findings than MaxListedFindings
    std::optional<TFinding> Minimum, Maximum;
    std::optional<TSweepPoint> Closest; // the computed point of smallest |F - T|
    TSweepSummary FailedSamples;

    // The findings, then the minimum and the maximum: everything a solve shows.
    std::vector<TFinding> Shown() const;
};

class TSolver {
public:
    // Checks the input as a sweep does, then reads the target as a value cell is
    // read; every refusal is an exception with its message, and nothing runs.
    TSolver(std::string_view formula, std::span<const std::string> names,
            std::span<const std::string> valueTexts, const TSweepRange& range,
            std::string_view targetText);

    // Does the next piece of work (a batch of samples, the search around one sample,
    // or the final refinement of the extremes); false once everything is done.
    bool Step();
    void Run() {
        while (Step()) {
        }
    }
    bool Done() const noexcept { return FPhase == TPhase::Done; }
    // How far the work has got, out of WorkLength().
    long WorkDone() const noexcept;
    long WorkLength() const noexcept { return 2 * FSweep.PointCount() + 1; }

    const TSweep& Sweep() const noexcept { return FSweep; }
    double Target() const noexcept { return FTarget; }
    // The computed samples, in the sweep's order.
    const std::vector<TSweepPoint>& Samples() const noexcept { return FSamples; }
    // Complete once Done().
    const TSolution& Solution() const noexcept { return FSolution; }
    // Whether sample i lies next to a pole or jump, where |F| measures the pole rather
    // than the function (a chart leaves such samples out of its range). Once Done().
    bool BesidePole(std::size_t i) const noexcept {
        return i < FBesidePole.size() && FBesidePole[i];
    }

private:
    enum class TPhase { Sampling, Searching, Done };

    TSweepPoint Evaluate(double x);
    long double G(const TSweepPoint& point) const noexcept;
    void SearchAround(std::size_t i);
    void MarkSamplesBesidePoles();
    long double MeasureScale() const;
    void SearchZeroSample(std::size_t i);
    TSweepPoint ProbeTowards(const TSweepPoint& from, double failedX);
    void SearchDip(std::size_t i);
    void RefineCrossing(TSweepPoint a, TSweepPoint b);
    TSweepPoint MinimiseSigned(double lo, double hi, int sign, bool ofG);
    std::optional<TFinding> RefineExtreme(TFindingKind kind);
    bool Usable(std::size_t i) const noexcept;
    void Finish();

    TSweep FSweep;
    double FTarget = 0;
    std::vector<TSweepPoint> FSamples;
    TSolution FSolution;
    // Dips of |g| that did not cross 0: touching roots if close enough to 0, which is
    // decided once every pole is known.
    std::vector<TSweepPoint> FDips;
    std::vector<bool> FBesidePole;
    TPhase FPhase = TPhase::Sampling;
    std::size_t FNext = 0;
};

// "7 roots of F = 0 between -10 and 10", "1 root of ...", or "no root of ...".
std::string RootCountText(const TSolution& solution, double target, double from, double to);
