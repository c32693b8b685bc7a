// The solver's refinements: a sign change closed to two adjacent doubles (a
// bracket bisected in the order of the doubles, with interpolation while it pays),
// Brent's minimiser for the dips of |g| and for the extremes.
#include "session/solver_refinement.h"

#include <bit>
#include <limits>

#include <algorithm>
#include <cmath>

#include "session/double_order.h"

namespace {

// A bracket is closed within this many evaluations: interpolation steps are taken
// only while the bisections still needed fit in what is left.
constexpr int MaxCrossingEvaluations = 100;
constexpr int MaxMinimiserEvaluations = 100;

} // namespace

// Closes a sign change of g down to two adjacent doubles: Illinois steps (false
// position that halves the weight of an end kept twice) while they halve the
// bracket, else bisection of the doubles in it. The double of the two with the
// smaller |g| is the root, unless |g| did not shrink as the bracket closed: then the
// sign change is a pole or a jump. A failure inside the bracket is a pole there.
TCrossing CloseSignChange(const TProbe& evaluate, double target, TSweepPoint a, TSweepPoint b) {
    const auto g = [target](const TSweepPoint& p) {
        return static_cast<long double>(p.Value) - target;
    };
    if (a.X > b.X) std::swap(a, b);
    long double ga = g(a), gb = g(b);
    const long double startSmallest = std::min(std::fabs(ga), std::fabs(gb));
    const long double startGap = std::fabs(ga - gb);
    long double weightA = ga, weightB = gb;
    std::int64_t keyA = OrderKey(a.X), keyB = OrderKey(b.X);
    int evaluations = 0, lastKept = 0;
    bool bisect = false;
    while (KeyDistance(keyA, keyB) > 1) {
        const std::uint64_t width = KeyDistance(keyA, keyB);
        const auto bisections = static_cast<int>(std::bit_width(width - 1));
        const bool interpolate = !bisect && evaluations + bisections < MaxCrossingEvaluations;
        std::int64_t key = KeyMidpoint(keyA, keyB);
        if (interpolate) {
            const long double x =
                a.X - weightA * (static_cast<long double>(b.X) - a.X) / (weightB - weightA);
            key = std::clamp(OrderKey(static_cast<double>(x)), keyA + 1, keyB - 1);
        }
        const TSweepPoint m = evaluate(FromOrderKey(key));
        ++evaluations;
        if (!m.Message.empty()) {
            return {false, m};
        }
        const long double gm = g(m);
        if (gm == 0) {
            return {true, m};
        }
        if ((gm > 0) == (ga > 0)) {
            a = m, ga = weightA = gm, keyA = key;
            if (lastKept == 1) weightB /= 2; // b kept twice
            lastKept = 1;
        } else {
            b = m, gb = weightB = gm, keyB = key;
            if (lastKept == -1) weightA /= 2;
            lastKept = -1;
        }
        bisect = interpolate && KeyDistance(keyA, keyB) > width / 2;
    }
    const bool shrank = std::min(std::fabs(ga), std::fabs(gb)) <= startSmallest &&
                        std::fabs(ga - gb) <= startGap / 2;
    const TSweepPoint& best = std::fabs(gb) < std::fabs(ga) ? b : a;
    return {shrank, best};
}

// Brent's minimiser (golden section with parabolic steps) of sign * g, or of
// sign * F, on the open interval (lo, hi). A failed point counts as worse than any
// computed one. Searching g, it stops at the first point where sign * g <= 0.
// Returns the best computed point, or a failed one when none was computed.
TSweepPoint MinimiseOnInterval(const TProbe& evaluate, double target, double lo, double hi,
                               int sign, bool ofG) {
    const auto g = [target](const TSweepPoint& p) {
        return static_cast<long double>(p.Value) - target;
    };
    const long double golden = (3 - std::sqrt(5.0L)) / 2;
    const long double relative = 0x1p-26L;
    const long double absolute =
        (static_cast<long double>(hi) - lo) * 0x1p-52L + std::numeric_limits<double>::denorm_min();
    constexpr long double Worst = std::numeric_limits<long double>::infinity();
    const auto value = [&](const TSweepPoint& p) -> long double {
        if (!p.Message.empty()) return Worst;
        return sign * (ofG ? g(p) : static_cast<long double>(p.Value));
    };
    long double a = lo, b = hi;
    TSweepPoint best = evaluate(static_cast<double>(a + golden * (b - a)));
    long double x = best.X, w = x, v = x;
    long double fx = value(best), fw = fx, fv = fx;
    long double d = 0, e = 0;
    for (int evaluations = 1; evaluations < MaxMinimiserEvaluations; ++evaluations) {
        if (ofG && fx <= 0) break;
        const long double middle = (a + b) / 2;
        const long double tolerance = relative * std::fabs(x) + absolute;
        if (std::fabs(x - middle) <= 2 * tolerance - (b - a) / 2) break;
        bool goldenStep = true;
        if (std::fabs(e) > tolerance) {
            long double r = (x - w) * (fx - fv);
            long double q = (x - v) * (fx - fw);
            long double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::fabs(q);
            r = e;
            e = d;
            if (std::fabs(p) < std::fabs(q * r / 2) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const long double u = x + d;
                if (u - a < 2 * tolerance || b - u < 2 * tolerance)
                    d = x < middle ? tolerance : -tolerance;
                goldenStep = false;
            }
        }
        if (goldenStep) {
            e = (x < middle ? b : a) - x;
            d = golden * e;
        }
        const long double step = std::fabs(d) >= tolerance ? d : (d > 0 ? tolerance : -tolerance);
        const TSweepPoint point = evaluate(static_cast<double>(x + step));
        const long double u = point.X, fu = value(point);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
            best = point;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw, w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    return best;
}
