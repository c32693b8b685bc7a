// Refining what a solver's samples found, on F along one variable given as a probe:
// a sign change of g = F - target closed to two adjacent doubles, and Brent's
// minimiser of g or F between two samples. Each evaluation goes through the probe.
#pragma once

#include <functional>

#include "session/sweep.h"

// F at x, a failure as a point with its message.
using TProbe = std::function<TSweepPoint(double x)>;

// What a sign change of g closes to: a root, or (Root false) a pole or a jump.
struct TCrossing {
    bool Root = false;
    TSweepPoint Point;
};

// Closes the sign change of g between a and b (either order; both computed, g
// nonzero and of opposite signs) within at most 100 evaluations.
TCrossing CloseSignChange(const TProbe& evaluate, double target, TSweepPoint a, TSweepPoint b);

// The best point of sign * g (ofG) or sign * F on the open interval (lo, hi), within
// at most 100 evaluations; searching g it stops at the first point where
// sign * g <= 0. A failed point counts as worse than any computed one; a failed
// point is returned only when none was computed.
TSweepPoint MinimiseOnInterval(const TProbe& evaluate, double target, double lo, double hi,
                               int sign, bool ofG);
