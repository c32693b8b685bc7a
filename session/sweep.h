// A sweep: one formula evaluated over a range of one variable while the others keep
// their values, for the plot window and zentavo-eval --sweep. The formula is
// compiled once and every variable bound once; each point only changes the swept
// value. A point that fails keeps its message (as Compute would show it) and the
// sweep goes on. A sweep touches no log, result box or session counter.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"
#include "session/bound_formula.h"
#include "session/variable_list.h"

namespace SweepMessages {
inline constexpr std::string_view NotDeclared = "The swept variable '%s' is not declared";
inline constexpr std::string_view SameEnds = "From and To are the same";
inline constexpr std::string_view NoVariable = "The formula has no variable to sweep";
inline constexpr std::string_view FromEmpty = "From is empty";
inline constexpr std::string_view ToEmpty = "To is empty";
inline constexpr std::string_view LogarithmicRange =
    "A logarithmic scale needs From and To above 0";
inline constexpr std::string_view PointCount = "Points must be a whole number from 2 to 1000000";
} // namespace SweepMessages

// Input a sweep refuses before anything runs.
class ESweepError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr long MinSweepPoints = 2;
inline constexpr long MaxSweepPoints = 1000000;

struct TSweepRange {
    std::string Name;             // the swept variable, one of the declared names
    std::string FromText, ToText; // read as value cells are read
    long Points = 0;              // from MinSweepPoints to MaxSweepPoints
    bool Logarithmic = false;
};

// The number of points of a text such as "201"; anything else raises ESweepError.
long ReadSweepPoints(std::string_view text);

struct TSweepPoint {
    double X = 0;
    double Value = 0;    // when Message is empty
    std::string Message; // the failure as Compute shows it ("." rule applied)
};

class TSweep {
public:
    // Checks the input (in this order: point count, a variable to sweep, the swept
    // name, From and To (each given, then different), the scale, the other variables'
    // values, the names, the formula) and compiles the
    // formula; every refusal is an exception with its message, and nothing runs.
    TSweep(std::string_view formula, std::span<const std::string> names,
           std::span<const std::string> valueTexts, const TSweepRange& range);

    long PointCount() const noexcept { return FPoints; }
    // The swept value of point i: evenly spaced, or evenly spaced in its logarithm;
    // the ends are From and To exactly, every point lies between them, and the
    // values never go back (they repeat only where the range holds fewer doubles
    // than points).
    double SweptValue(long i) const noexcept;
    // Evaluates point i.
    TSweepPoint Evaluate(long i) { return EvaluateAt(SweptValue(i)); }
    // Evaluates the formula with the swept variable at x (any x, not only a point's).
    TSweepPoint EvaluateAt(double x);

    const std::string& SweptName() const noexcept { return FSweptName; }
    double From() const noexcept { return FFrom; }
    double To() const noexcept { return FTo; }
    bool Logarithmic() const noexcept { return FLogarithmic; }

private:
    std::vector<double> FValues; // the variables' storage, bound by address
    std::unique_ptr<TBoundFormula> FFormula;
    std::size_t FSwept = 0; // index of the swept variable
    std::string FSweptName;
    double FFrom = 0, FTo = 0;
    long FPoints = 0;
    bool FLogarithmic = false;
    bool FThroughDoubles = false; // the points are denser than the doubles: step through them

    double Inside(double x) const noexcept;
};

// The outcome of a whole sweep: how many points failed and the first message.
struct TSweepSummary {
    long Failed = 0;
    std::string FirstMessage;
    void Add(const TSweepPoint& point) {
        if (point.Message.empty()) return;
        if (Failed++ == 0) FirstMessage = point.Message;
    }
};
