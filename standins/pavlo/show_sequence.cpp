#include "pavlo/show_sequence.h"

namespace pavlo {

ShowStep ShowSequence::Start(int startMode) {
    current_ = -1;
    ShowStep step;
    step.repaint = true;
    if (startMode == 1) {
        stage_ = ShowStage::Intro;
        introLevel_ = 0;
        step.startTimerMs = kIntroStepMs;
        return step;
    }
    introLevel_ = kIntroSteps;
    ShowStep cue = Cue();
    cue.repaint = true;
    return cue;
}

ShowStep ShowSequence::Cue() {
    stage_ = ShowStage::AwaitingGo;
    ShowStep step;
    step.postCue = true;
    return step;
}

ShowStep ShowSequence::TimerElapsed() {
    if (stage_ == ShowStage::Intro) {
        ShowStep step;
        step.repaint = true;
        if (++introLevel_ < kIntroSteps)
            return step;
        step = Cue();
        step.stopTimer = true;
        step.repaint = true;
        return step;
    }
    if (stage_ == ShowStage::Playing) {
        ShowStep step = Cue();
        step.stopTimer = true;
        return step;
    }
    ShowStep stray;
    stray.stopTimer = true;
    return stray;
}

ShowStep ShowSequence::Go() {
    ShowStep step;
    if (stage_ != ShowStage::AwaitingGo)
        return step;
    if (current_ + 1 < SlideCount()) {
        ++current_;
        stage_ = ShowStage::Playing;
        step.startTimerMs = script_.slides[current_].tenths * 100;
        step.repaint = true;
        return step;
    }
    stage_ = ShowStage::Ended;
    step.postEnd = true;
    step.endCode = script_.endCode;
    return step;
}

ShowStep ShowSequence::Skip() {
    ShowStep step;
    if (stage_ == ShowStage::Idle || stage_ == ShowStage::Ended)
        return step;
    stage_ = ShowStage::Ended;
    step.stopTimer = true;
    step.postEnd = true;
    step.endCode = kAbortCode;
    return step;
}

const Slide* ShowSequence::Current() const {
    if (current_ < 0 || current_ >= SlideCount())
        return nullptr;
    return &script_.slides[current_];
}

} // namespace pavlo
