// A plot's or a solve's run: what was read for it, the sweep or the solver, and the
// points as they are computed in slices, so a window stays responsive. Starting a
// run checks its input first: a refusal raises its message and leaves the run that
// was there (finished or still running) exactly as it was.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "session/calculation_session.h"
#include "session/solver.h"
#include "session/sweep.h"

class TSweepRun {
public:
    // A plot of inputs over range. Refused input raises; nothing changes.
    void StartPlot(TFormulaInputs inputs, const TSweepRange& range);
    // A solve for the target text. Refused input raises; nothing changes.
    void StartSolve(TFormulaInputs inputs, const TSweepRange& range, std::string_view targetText);

    // Computes for about the given time; true once the run is complete.
    bool Step(std::chrono::milliseconds slice);
    bool Started() const noexcept { return Swept() != nullptr; }
    long WorkDone() const noexcept;
    long WorkLength() const noexcept;

    // What the run read when it started.
    const TFormulaInputs& Inputs() const noexcept { return FInputs; }
    // The sweep behind the points: the plot's, or the solve's; null before any start.
    const TSweep* Swept() const noexcept;
    // The solver of a solve, null for a plot.
    const TSolver* Solver() const noexcept { return FSolver.get(); }
    // The solve's findings once done; null otherwise and for a plot.
    const TSolution* Solution() const noexcept;

    // The points computed so far (a solve's samples once done), and their failures.
    const std::vector<TSweepPoint>& Points() const noexcept { return FPoints; }
    const TSweepSummary& Summary() const noexcept { return FSummary; }

private:
    void Reset(TFormulaInputs inputs);

    TFormulaInputs FInputs;
    std::unique_ptr<TSweep> FSweep;   // a plot's
    std::unique_ptr<TSolver> FSolver; // a solve's
    std::vector<TSweepPoint> FPoints;
    TSweepSummary FSummary;
    long FNext = 0;
    bool FDone = false;
};
