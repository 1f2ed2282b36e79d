// The course of one show, kept apart from its windows: every event returns
// the step the window side has to carry out. Portable, so it can be tested
// without a display.
//
// The library and the module take turns: the library posts a cue (control
// id, code 0) when it is ready for the next slide and the module answers
// with ForceGo. A show starts with a cue (after the intro, if any), so the
// module's first ForceGo brings up slide 1, and each slide's timer ends in
// the next cue. The ForceGo after the last slide ends the show with the
// script's end code; Skip ends it at once with kAbortCode. A ForceGo that
// answers no cue is ignored, so a stray code-0 message cannot cut a slide
// short.
#pragma once

#include <utility>

#include "pavlo/show_script.h"

namespace pavlo {

constexpr int kAbortCode = 4;
constexpr int kIntroSteps = 8;
constexpr int kIntroStepMs = 100;

enum class ShowStage { Idle, Intro, AwaitingGo, Playing, Ended };

struct ShowStep {
    bool postCue = false; // post the control id with code 0
    bool postEnd = false; // post the control id with endCode
    int endCode = 0;
    int startTimerMs = 0; // > 0: (re)start the timer with this period
    bool stopTimer = false;
    bool repaint = false;
};

class ShowSequence {
  public:
    ShowSequence() = default;
    explicit ShowSequence(ShowScript script) : script_(std::move(script)) {}

    // Start mode 1 fades in a title card first; any other mode cues at once.
    ShowStep Start(int startMode);
    ShowStep TimerElapsed();
    ShowStep Go();
    ShowStep Skip();

    ShowStage Stage() const { return stage_; }
    // -1 while the title card shows.
    int CurrentSlide() const { return current_; }
    int SlideCount() const { return static_cast<int>(script_.slides.size()); }
    const Slide* Current() const;
    // 0..kIntroSteps: how far the title card has faded in.
    int IntroLevel() const { return introLevel_; }

  private:
    ShowStep Cue();

    ShowScript script_;
    ShowStage stage_ = ShowStage::Idle;
    int current_ = -1;
    int introLevel_ = kIntroSteps;
};

} // namespace pavlo
