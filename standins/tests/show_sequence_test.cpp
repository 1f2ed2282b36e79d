#include <gtest/gtest.h>

#include "pavlo/show_sequence.h"

using pavlo::ShowScript;
using pavlo::ShowSequence;
using pavlo::ShowStage;
using pavlo::ShowStep;

namespace {

ShowSequence MakeShow(int slides, int endCode = 1) {
    ShowScript script;
    for (int i = 0; i < slides; ++i)
        script.slides.push_back({(i + 1) * 10, "t", {}});
    script.endCode = endCode;
    return ShowSequence(script);
}

} // namespace

TEST(ShowSequence, DirectStartCuesAndEachGoPlaysTheNextSlideUntilTheEndCode) {
    ShowSequence show = MakeShow(2, 4);
    ShowStep start = show.Start(0);
    EXPECT_TRUE(start.postCue);
    EXPECT_EQ(start.startTimerMs, 0);
    EXPECT_EQ(show.CurrentSlide(), -1);

    ShowStep first = show.Go();
    EXPECT_EQ(show.CurrentSlide(), 0);
    EXPECT_EQ(first.startTimerMs, 1000);
    EXPECT_FALSE(first.postCue || first.postEnd);

    ShowStep elapsed = show.TimerElapsed();
    EXPECT_TRUE(elapsed.postCue && elapsed.stopTimer);
    EXPECT_EQ(show.Go().startTimerMs, 2000);
    EXPECT_EQ(show.CurrentSlide(), 1);

    EXPECT_TRUE(show.TimerElapsed().postCue);
    ShowStep end = show.Go();
    EXPECT_TRUE(end.postEnd);
    EXPECT_EQ(end.endCode, 4);
    EXPECT_EQ(show.Stage(), ShowStage::Ended);
}

TEST(ShowSequence, GoWithoutACueChangesNothing) {
    ShowSequence show = MakeShow(2);
    show.Start(0);
    show.Go();
    ShowStep stray = show.Go(); // slide 1's timer is still running
    EXPECT_FALSE(stray.postCue || stray.postEnd || stray.repaint || stray.startTimerMs);
    EXPECT_EQ(show.CurrentSlide(), 0);
    EXPECT_EQ(show.Stage(), ShowStage::Playing);
}

TEST(ShowSequence, IntroFadesInBeforeTheFirstCue) {
    ShowSequence show = MakeShow(1);
    ShowStep start = show.Start(1);
    EXPECT_FALSE(start.postCue);
    EXPECT_EQ(start.startTimerMs, pavlo::kIntroStepMs);
    EXPECT_EQ(show.IntroLevel(), 0);
    EXPECT_FALSE(show.Go().repaint); // no cue yet

    for (int step = 1; step < pavlo::kIntroSteps; ++step)
        EXPECT_FALSE(show.TimerElapsed().postCue);
    ShowStep done = show.TimerElapsed();
    EXPECT_TRUE(done.postCue && done.stopTimer);
    EXPECT_EQ(show.IntroLevel(), pavlo::kIntroSteps);
    EXPECT_EQ(show.Go().startTimerMs, 1000);
}

TEST(ShowSequence, SkipAbortsOnceAndLaterEventsAreIgnored) {
    ShowSequence show = MakeShow(3);
    EXPECT_FALSE(show.Skip().postEnd); // not started

    show.Start(0);
    show.Go();
    ShowStep skip = show.Skip();
    EXPECT_TRUE(skip.postEnd && skip.stopTimer);
    EXPECT_EQ(skip.endCode, pavlo::kAbortCode);

    EXPECT_FALSE(show.Skip().postEnd);
    EXPECT_FALSE(show.Go().postEnd);
    ShowStep late = show.TimerElapsed();
    EXPECT_FALSE(late.postCue);
    EXPECT_TRUE(late.stopTimer);
}
