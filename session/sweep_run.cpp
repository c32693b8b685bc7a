// Running a plot or a solve in slices, each start checked before anything changes.
#include "session/sweep_run.h"

void TSweepRun::StartPlot(TFormulaInputs inputs, const TSweepRange& range) {
    auto sweep = std::make_unique<TSweep>(inputs.Formula, inputs.Names, inputs.ValueTexts, range);
    Reset(std::move(inputs));
    FSweep = std::move(sweep);
    FPoints.reserve(static_cast<std::size_t>(FSweep->PointCount()));
}

void TSweepRun::StartSolve(TFormulaInputs inputs, const TSweepRange& range,
                           std::string_view targetText) {
    auto solver = std::make_unique<TSolver>(inputs.Formula, inputs.Names, inputs.ValueTexts, range,
                                            targetText);
    Reset(std::move(inputs));
    FSolver = std::move(solver);
}

void TSweepRun::Reset(TFormulaInputs inputs) {
    FInputs = std::move(inputs);
    FSweep.reset();
    FSolver.reset();
    FPoints.clear();
    FSummary = {};
    FNext = 0;
    FDone = false;
}

bool TSweepRun::Step(std::chrono::milliseconds slice) {
    if (FDone || !Started()) return FDone;
    const auto until = std::chrono::steady_clock::now() + slice;
    if (FSolver) {
        while (FSolver->Step() && std::chrono::steady_clock::now() < until) {
        }
        if (!FSolver->Done()) return false;
        FPoints = FSolver->Samples();
        FSummary = FSolver->Solution().FailedSamples;
    } else {
        while (FNext < FSweep->PointCount()) {
            FPoints.push_back(FSweep->Evaluate(FNext++));
            FSummary.Add(FPoints.back());
            if ((FNext & 1023) == 0 && std::chrono::steady_clock::now() >= until) break;
        }
        if (FNext < FSweep->PointCount()) return false;
    }
    FDone = true;
    return true;
}

long TSweepRun::WorkDone() const noexcept {
    return FSolver ? FSolver->WorkDone() : FNext;
}

long TSweepRun::WorkLength() const noexcept {
    return FSolver ? FSolver->WorkLength() : FSweep ? FSweep->PointCount() : 0;
}

const TSweep* TSweepRun::Swept() const noexcept {
    return FSolver ? &FSolver->Sweep() : FSweep.get();
}

const TSolution* TSweepRun::Solution() const noexcept {
    return FSolver && FSolver->Done() ? &FSolver->Solution() : nullptr;
}
