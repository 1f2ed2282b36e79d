// Page navigation: commands, the timed advance, loops and the script hand-over.
#include <gtest/gtest.h>

#include <vector>

#include "frame/page_flow.h"
#include "frame/page_table.h"

namespace {

class RecordingHooks : public PageFlowHooks {
  public:
    std::vector<int> drawn; // page shown at each DrawPage
    std::vector<int32_t> beeps;
    PageFlow* flow = nullptr;
    void DrawPage() override { drawn.push_back(flow->currentPage); }
    void Beep(int32_t type) override { beeps.push_back(type); }
};

class PageFlowTest : public ::testing::Test {
  protected:
    std::vector<PageNavigation> pages;
    PageFlow flow{};
    RecordingHooks hooks;

    // The module's own two pages, copied so tests may change them.
    void UseBuiltInPages() { SetPages({pageNavigation[0], pageNavigation[1]}); }
    void SetPages(std::vector<PageNavigation> table) {
        pages = std::move(table);
        flow = PageFlow{};
        flow.phase = kPagePhase;
        flow.pageCount = static_cast<int>(pages.size());
        flow.pages = pages.data();
        flow.nextPageTime = -1;
        flow.stepCount = 68; // a script is selected
        hooks.flow = &flow;
    }
    static PageNavigation Timed(int32_t duration, int8_t prev, int8_t next) {
        return PageNavigation{duration, prev, next, 0, 0, 0, 0, 0};
    }
};

TEST_F(PageFlowTest, PageZeroWaitsForACommand) {
    UseBuiltInPages();
    ASSERT_EQ(GoToPage(flow, 0, 1000, hooks), kGoOn);
    EXPECT_EQ(flow.nextPageTime, -1);
    for (uint32_t now = 1000; now < 100000; now += 5000)
        EXPECT_EQ(PageTick(flow, now, hooks), kGoOn);
    EXPECT_EQ(flow.currentPage, 0);
    EXPECT_EQ(StepPage(flow, -1, 2000, hooks), kGoOn); // no previous page
    EXPECT_EQ(flow.currentPage, 0);
    EXPECT_EQ(hooks.drawn, std::vector<int>{0});
}

TEST_F(PageFlowTest, NextShowsPageOneThenThreeSecondsLeadIntoTheScript) {
    UseBuiltInPages();
    GoToPage(flow, 0, 1000, hooks);
    ASSERT_EQ(StepPage(flow, +1, 2000, hooks), kGoOn);
    EXPECT_EQ(flow.currentPage, 1);
    EXPECT_EQ(flow.nextPageTime, 5000);
    EXPECT_EQ(PageTick(flow, 4999, hooks), kGoOn);
    EXPECT_EQ(flow.phase, kPagePhase);
    EXPECT_EQ(PageTick(flow, 5000, hooks), kScriptBegun);
    EXPECT_EQ(flow.phase, kScriptPhase);
    EXPECT_EQ(flow.stepIndex, -1);
    EXPECT_EQ(flow.nextStepTime, 0u);
}

TEST_F(PageFlowTest, NextOnTheLastPageStartsTheScriptAtOnce) {
    UseBuiltInPages();
    GoToPage(flow, 1, 0, hooks);
    EXPECT_EQ(StepPage(flow, +1, 10, hooks), kScriptBegun);
    EXPECT_EQ(StepPage(flow, +1, 20, hooks), kDemoOver) << "outside the page phase";
}

TEST_F(PageFlowTest, WithoutAScriptThePagesRunOutAgainAndAgain) {
    UseBuiltInPages();
    flow.stepCount = 0;
    GoToPage(flow, 1, 0, hooks);
    const int32_t due = flow.nextPageTime;
    EXPECT_EQ(PageTick(flow, 3000, hooks), kPagesOver);
    EXPECT_EQ(flow.phase, kPagePhase);
    EXPECT_EQ(flow.currentPage, 1);
    EXPECT_EQ(flow.nextPageTime, due);
    EXPECT_EQ(PageTick(flow, 3050, hooks), kPagesOver);
}

TEST_F(PageFlowTest, UserTimedPageAdvancesOnlyUntilTheUserNavigates) {
    SetPages({Timed(-30, -1, 1), Timed(-1, 0, -1), Timed(-1, 1, -1)});
    GoToPage(flow, 0, 0, hooks);
    EXPECT_EQ(flow.nextPageTime, 3000);
    EXPECT_EQ(PageTick(flow, 3000, hooks), kGoOn);
    EXPECT_EQ(flow.currentPage, 1);

    // Any command ends the timing of such pages for good.
    StepPage(flow, -1, 4000, hooks);
    EXPECT_EQ(flow.currentPage, 0);
    EXPECT_EQ(pages[0].duration, -1);
    EXPECT_EQ(flow.nextPageTime, -1);
}

TEST_F(PageFlowTest, EndingUserTimedPagesEndsTheirAdvanceAndLeavesOthersAlone) {
    SetPages({Timed(-30, -1, 1), Timed(25, 0, -1)});
    GoToPage(flow, 0, 0, hooks);
    EndUserTimedPages(flow); // the order sheet opens over page 0
    EXPECT_EQ(pages[0].duration, -1);
    EXPECT_EQ(pages[1].duration, 25);
    EXPECT_EQ(flow.nextPageTime, -1) << "the page no longer times out";
    GoToPage(flow, 1, 0, hooks);
    EndUserTimedPages(flow);
    EXPECT_EQ(flow.nextPageTime, 2500) << "a page with a plain duration keeps its time-out";
}

TEST_F(PageFlowTest, LoopPageJumpsBackTwiceThenGoesOn) {
    PageNavigation loop = Timed(1, 0, 2);
    loop.repeatCount = 2;
    loop.repeatTarget = -1;
    SetPages({Timed(1, -1, 1), loop, Timed(-1, 1, -1)});
    GoToPage(flow, 1, 0, hooks);
    uint32_t now = 0;
    std::vector<int> visited;
    for (int i = 0; i < 7 && flow.currentPage != 2; ++i) {
        now += 100;
        PageTick(flow, now, hooks);
        visited.push_back(flow.currentPage);
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 0, 1, 2}));
}

TEST_F(PageFlowTest, ACommandRestartsTheLoopCount) {
    PageNavigation loop = Timed(1, 0, 0);
    loop.repeatCount = 2;
    loop.repeatTarget = 0;
    SetPages({Timed(1, -1, 1), loop, Timed(-1, 1, -1)});
    GoToPage(flow, 1, 0, hooks);
    PageTick(flow, 100, hooks); // loop: back to 0, one jump left
    EXPECT_EQ(pages[1].repeatLeft, 1);
    StepPage(flow, +1, 150, hooks);
    EXPECT_EQ(pages[1].repeatActive, 0);
}

TEST_F(PageFlowTest, ZeroDurationPagesPassWithinOneTick) {
    SetPages({Timed(0, -1, 1), Timed(0, 0, 2), Timed(-1, 1, -1)});
    GoToPage(flow, 0, 500, hooks);
    EXPECT_EQ(PageTick(flow, 500, hooks), kGoOn);
    EXPECT_EQ(flow.currentPage, 2);
    EXPECT_EQ(hooks.drawn, (std::vector<int>{0, 1, 2}));
}

TEST_F(PageFlowTest, DueTimeThatReadsNegativeDisablesTheAdvance) {
    UseBuiltInPages();
    GoToPage(flow, 1, 0x7FFFFF00u, hooks); // + 3000 passes 2^31
    EXPECT_EQ(flow.nextPageTime, 0);
    EXPECT_EQ(PageTick(flow, 0xFFFFFFFFu, hooks), kGoOn);
    EXPECT_EQ(flow.currentPage, 1);
}

TEST_F(PageFlowTest, BeepsWithThePageSound) {
    PageNavigation loud = Timed(-1, -1, -1);
    loud.beepType = 0x30;
    SetPages({Timed(-1, -1, 1), loud});
    GoToPage(flow, 0, 0, hooks);
    GoToPage(flow, 1, 0, hooks);
    EXPECT_EQ(hooks.beeps, std::vector<int32_t>{0x30});
}

TEST_F(PageFlowTest, NegativeIndexOrWrongPhaseEndsTheDemonstration) {
    UseBuiltInPages();
    EXPECT_EQ(GoToPage(flow, -1, 0, hooks), kDemoOver);
    flow.phase = kNoPhase;
    EXPECT_EQ(GoToPage(flow, 0, 0, hooks), kDemoOver);
    EXPECT_TRUE(hooks.drawn.empty());
}

} // namespace
