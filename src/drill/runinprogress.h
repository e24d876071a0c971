#pragma once
// The flags of the run in progress, which the drill's answer entry and clock work over.

namespace zanfolio {

struct RunInProgress {
    int TotalProblems = 0;
    int CorrectCount = 0;
    int Judgement = 0;
    int InputBusy = 0;
    int ConfirmState = 0;
    int RunFinished = 0;
    int RunEnding = 0;
    float RunStartTime = 0;
    int ElapsedSeconds = 0;
    int TimeoutSeconds = 0;
    double BarScale = 0;
};

} // namespace zanfolio
