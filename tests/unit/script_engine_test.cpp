// The script engine on a host in memory: pacing, cursor flashes, presses,
// typing, retries and how a script ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/script_validation.h"
#include "script_fake_host.h"

namespace {

// The built-in tables change as they run; tests run on copies.
std::vector<ScriptStep> CopyOfScript(int id) {
    const ScriptSelection selection = FindScript(id);
    return std::vector<ScriptStep>(selection.steps, selection.steps + selection.stepCount);
}

std::vector<std::string> What(const std::vector<FakeScriptHost::Event>& events) {
    std::vector<std::string> whats;
    for (const auto& event : events)
        whats.push_back(event.what);
    return whats;
}

ScriptStep Text(int32_t id, int32_t delay) {
    return {kNoWindow, id, 0, kTextStep, 0, nullptr, delay, 0, 0};
}

ScriptStep Click(int32_t window, int32_t control, int32_t cursor, int32_t delay = 0) {
    return {window, 0, control, kClickStep, 0, nullptr, delay, cursor, 0};
}

class ScriptEngineTest : public ::testing::Test {
  protected:
    FakeScriptHost host;
    std::vector<ScriptStep> steps;
    PageFlow flow{};

    void Use(std::vector<ScriptStep> script) {
        steps = std::move(script);
        flow = FlowFor(steps);
    }
    int Tick() {
        host.Deliver();
        return ScriptTick(flow, host);
    }
};

TEST_F(ScriptEngineTest, MainScriptRunsToItsEndOnce) {
    Use(CopyOfScript(0));
    ASSERT_EQ(TickUntilResult(flow, host), 4);
    EXPECT_EQ(flow.stepIndex, 68);
    EXPECT_EQ(flow.retryDeadline, 0u);
    const size_t eventCount = host.events.size();
    for (int i = 0; i < 5; ++i) {
        host.clock += 1000;
        EXPECT_EQ(Tick(), 0) << "an ended script stays ended";
    }
    EXPECT_EQ(host.events.size(), eventCount);

    const std::vector<std::string> texts = What(host.EventsStartingWith("text "));
    const std::vector<std::string> expected = {
        "text 8511/0", "text 8513/0", "text 0/0",    "text 8514/0", "text 8515/0", "text 8516/0",
        "text 8517/0", "text 8518/0", "text 8545/0", "text 8546/0", "text 8547/0", "text 8548/0",
        "text 8551/0", "text 8552/0", "text 8553/0", "text 8554/0"};
    EXPECT_EQ(texts, expected);

    // Typed texts, one character more per 300 ms.
    const auto typed = host.EventsStartingWith("type 4111 ");
    ASSERT_EQ(What(typed), (std::vector<std::string>{"type 4111 V", "type 4111 VA"}));
    EXPECT_EQ(typed[1].time - typed[0].time, 300u);
    EXPECT_EQ(What(host.EventsStartingWith("type 4109 ")).back(), "type 4109 1.0");
    EXPECT_EQ(What(host.EventsStartingWith("type 3821 ")).back(), "type 3821 200");
    std::vector<std::string> fileNames;
    for (const std::string& typedName : What(host.EventsStartingWith("type 3002 ")))
        if (typedName.size() > 4 && typedName.compare(typedName.size() - 4, 4, ".MDF") == 0)
            fileNames.push_back(typedName.substr(10));
    EXPECT_EQ(fileNames, (std::vector<std::string>{"DEMO_C.MDF", "DEMO_C1.MDF", "DEMO_C2.MDF"}));

    // The tables keep what the run did to them.
    for (const ScriptStep& step : steps) {
        EXPECT_LE(step.cursor, 0);
        EXPECT_EQ(step.repeat, 0);
    }
}

TEST_F(ScriptEngineTest, StepThirtyThreePostsElevenKeysOnePerTick) {
    Use(CopyOfScript(0));
    ASSERT_EQ(TickUntilResult(flow, host, 50), 4);
    const auto keys = host.EventsStartingWith("key ");
    ASSERT_EQ(keys.size(), 11u + 5u);
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(keys[i].what, "key 39");
        if (i > 0) {
            EXPECT_EQ(keys[i].time - keys[i - 1].time, 50u) << "one tick apart, at " << i;
        }
    }
    for (size_t i = 12; i < keys.size(); ++i)
        EXPECT_EQ(keys[i].time - keys[i - 1].time, 300u) << "steps 46..50 keep their delays";
}

TEST_F(ScriptEngineTest, CursorStepAsksWithTenTenFlashesThenActsHalfASecondLater) {
    Use({Click(kMainWindow, 1002, 1, 50), Text(8513, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events), (std::vector<std::string>{"ready 1910 1002 main", "cursor"}));
    EXPECT_EQ(steps[0].cursor, -1);
    EXPECT_EQ(flow.stepIndex, -1) << "the step runs again";
    EXPECT_EQ(flow.nextStepTime, 100000u + 500u);
    EXPECT_EQ(host.clock, 100000u + 600u) << "the flash holds the thread 600 ms";

    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events).back(), "post 1002") << "a main window command is posted";
    EXPECT_EQ(host.events[host.events.size() - 2].what, "ready 1909 1002 main");
    EXPECT_EQ(flow.nextStepTime, host.clock + 5000u);
}

TEST_F(ScriptEngineTest, DialogButtonIsPressedWithTheMouseOtherControlsGetACommand) {
    host.popupDepth = 1;
    host.nonButtons.insert(4200);
    Use({Click(kPopupWindow, 4112, 1), Click(kPopupWindow, 4200, 1), Click(kPopupWindow, 4300, 0),
         Text(1, 0)});
    ASSERT_EQ(TickUntilResult(flow, host), 4);
    const std::vector<std::string> expected = {"ready 1910 4112 popup",
                                               "cursor",
                                               "ready 1909 4112 popup",
                                               "down 4112",
                                               "up 4112",
                                               "ready 1910 4200 popup",
                                               "cursor",
                                               "ready 1909 4200 popup",
                                               "post 4200",
                                               "ready 1909 4300 popup",
                                               "post 4300",
                                               "text 1/0"};
    EXPECT_EQ(What(host.events), expected);
    const auto down = host.EventsStartingWith("down ");
    const auto up = host.EventsStartingWith("up ");
    EXPECT_EQ(up[0].time - down[0].time, 300u);
}

TEST_F(ScriptEngineTest, SecondRunOfAScriptShowsNoCursorButStillPresses) {
    host.popupDepth = 1;
    host.closingIds.clear();
    Use({Click(kPopupWindow, 4112, 1), Text(1, 0)});
    ASSERT_EQ(TickUntilResult(flow, host), 4);
    host.events.clear();
    flow.stepIndex = -1;
    flow.nextStepTime = 0;
    ASSERT_EQ(TickUntilResult(flow, host), 4);
    EXPECT_EQ(What(host.events), (std::vector<std::string>{"ready 1909 4112 popup", "down 4112",
                                                           "up 4112", "text 1/0"}));
}

TEST_F(ScriptEngineTest, WithoutABigCursorTheFlashTakesNoTime) {
    host.hasBigCursor = false;
    Use({Click(kMainWindow, 1002, 1), Text(1, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(host.clock, 100000u);
    EXPECT_EQ(steps[0].cursor, -1);
}

TEST_F(ScriptEngineTest, PopupStepWaitsForThePopupAndGoesOnWithItsDelays) {
    // Settings open three seconds after the click, as a slow host would.
    host.popupCommands.clear();
    Use({Click(kMainWindow, 1503, 0), Click(kPopupWindow, 1, 0, 20), Text(8511, 0)});
    EXPECT_EQ(Tick(), 0);
    for (int i = 0; i < 60; ++i) {
        host.clock += 50;
        EXPECT_EQ(Tick(), 0);
    }
    EXPECT_NE(flow.retryDeadline, 0u);
    EXPECT_EQ(flow.stepIndex, 1);
    host.popupDepth = 1;
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(flow.retryDeadline, 0u);
    EXPECT_EQ(What(host.events).back(), "post 1");
    const uint32_t okAt = host.clock;
    EXPECT_EQ(flow.nextStepTime, okAt + 2000u) << "the retried step keeps its delay";
    host.clock = okAt + 1950;
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events).back(), "post 1");
    host.clock = okAt + 2000;
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events).back(), "text 8511/0");
}

TEST_F(ScriptEngineTest, RetriesEndTheScriptForGoodAfterTenSeconds) {
    host.popupCommands.clear();
    Use({Click(kMainWindow, 1503, 0), Click(kPopupWindow, 1, 0), Text(8511, 0)});
    EXPECT_EQ(Tick(), 0);
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    const uint32_t firstFailure = host.clock;
    EXPECT_EQ(flow.retryDeadline, firstFailure + 10000u);
    host.clock = firstFailure + 9999;
    EXPECT_EQ(Tick(), 0);
    host.clock = firstFailure + 10000;
    EXPECT_EQ(Tick(), 4);
    EXPECT_EQ(flow.retryDeadline, 0u);
    EXPECT_EQ(flow.stepIndex, flow.stepCount);
    host.popupDepth = 1; // too late: the step after it never runs
    for (int i = 0; i < 10; ++i) {
        host.clock += 1000;
        EXPECT_EQ(Tick(), 0);
    }
    EXPECT_TRUE(host.EventsStartingWith("text ").empty());
}

TEST_F(ScriptEngineTest, HostThatSaysNotReadyIsAskedAgainEveryTickWithoutActivation) {
    int asked = 0;
    host.ready = [&](int, uint32_t) { return ++asked >= 4; };
    Use({Click(kMainWindow, 1072, 0), Text(1, 0)});
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Tick(), 0);
        host.clock += 50;
    }
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(What(host.events).back(), "post 1072");
    EXPECT_EQ(flow.retryDeadline, 0u);
}

TEST_F(ScriptEngineTest, WaitStepOnlyWaitsForReadiness) {
    bool ready = false;
    host.ready = [&](int, uint32_t) { return ready; };
    Use({{kMainWindow, 0, 1072, kWaitStep, 0, nullptr, 0, 0, 0}, Text(8518, 0)});
    EXPECT_EQ(Tick(), 0);
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    ready = true;
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events),
              (std::vector<std::string>{"ready 1909 1072 main", "ready 1909 1072 main",
                                        "ready 1909 1072 main", "text 8518/0"}));
}

TEST_F(ScriptEngineTest, StepForTheMainWindowWaitsWhileAPopupIsOpen) {
    host.popupDepth = 1;
    Use({Click(kMainWindow, 1001, 0), Text(1, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_TRUE(host.events.empty()) << "not ready: no question, no command";
    EXPECT_NE(flow.retryDeadline, 0u);
}

TEST_F(ScriptEngineTest, EveryFailureEndsTheScriptAndItsLaterStepsNeverRun) {
    struct Case {
        const char* what;
        ScriptStep step;
        std::function<void(FakeScriptHost&)> arrange;
    };
    const std::vector<Case> cases = {
        {"invalid step", {kPopupWindow, 0, 39, kKeyStep, 0, nullptr, 0, 0, 0}, nullptr},
        {"sub-action 7", {kPopupWindow, 0, 3690, kControlStep, 7, nullptr, 0, 0, 0}, nullptr},
        {"sub-action 0", {kPopupWindow, 0, 3690, kControlStep, 0, nullptr, 0, 0, 0}, nullptr},
        {"empty type text",
         {kPopupWindow, 8501, 4109, kTypeStep, 0, nullptr, 0, 0, 0},
         [](FakeScriptHost& h) { h.hostText = [](int32_t) { return std::string(); }; }},
        {"unknown kind", {kPopupWindow, 0, 4109, 8, 0, nullptr, 0, 0, 0}, nullptr},
        {"host window gone", Text(8511, 0), [](FakeScriptHost& h) { h.hostWindowGone = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host = FakeScriptHost{};
        host.popupDepth = 1;
        if (c.arrange)
            c.arrange(host);
        Use({c.step, Text(8599, 0)});
        EXPECT_EQ(Tick(), 4);
        EXPECT_EQ(flow.stepIndex, flow.stepCount);
        EXPECT_EQ(flow.retryDeadline, 0u);
        host.hostWindowGone = false;
        for (int i = 0; i < 3; ++i) {
            host.clock += 1000;
            EXPECT_EQ(Tick(), 0);
        }
        EXPECT_TRUE(host.EventsStartingWith("text 8599").empty());
    }
}

TEST_F(ScriptEngineTest, MissingControlIsRetriedLikeAMissingWindow) {
    host.popupDepth = 1;
    host.missingControls = {4109};
    Use({{kPopupWindow, 0, 4109, kTypeStep, 0, "1.0", 0, 0, 0}, Text(1, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_NE(flow.retryDeadline, 0u);
    host.missingControls.clear();
    host.clock += 50;
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events).back(), "type 4109 1.0");
    EXPECT_EQ(host.clock, 100050u + 900u) << "three characters, 300 ms each";
}

TEST_F(ScriptEngineTest, TypedHostTextIsCutToNinetyEightCharacters) {
    host.popupDepth = 1;
    host.hostText = [](int32_t) { return std::string(150, 'x'); };
    Use({{kPopupWindow, 8501, 4109, kTypeStep, 0, nullptr, 0, 0, 0}, Text(1, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(host.EventsStartingWith("type ").size(), 98u);
}

TEST_F(ScriptEngineTest, RepeatedControlStepRunsOncePerRepeatThenMovesOn) {
    host.popupDepth = 1;
    Use({{kPopupWindow, 0, 3402, kControlStep, kArrowDown, nullptr, 5, 0, 2}, Text(1, 0)});
    ASSERT_EQ(TickUntilResult(flow, host), 4);
    EXPECT_EQ(What(host.events),
              (std::vector<std::string>{"ready 1909 3402 popup", "action 3402 1",
                                        "ready 1909 3402 popup", "action 3402 1",
                                        "ready 1909 3402 popup", "action 3402 1", "text 1/0"}));
    const auto actions = host.EventsStartingWith("action ");
    EXPECT_EQ(actions[1].time - actions[0].time, 500u);
}

TEST_F(ScriptEngineTest, NegativeDelayCountsAsNone) {
    Use({Text(8511, -5), Text(8513, 0)});
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(flow.nextStepTime, host.clock);
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(What(host.events).back(), "text 8513/0");
}

TEST_F(ScriptEngineTest, NoScriptSelectedRunsNothing) {
    flow = PageFlow{};
    flow.stepIndex = -1;
    EXPECT_EQ(ScriptTick(flow, host), 0);
    EXPECT_TRUE(host.events.empty());
}

TEST(ScriptMessages, ParametersCarryTheLowWordsOfTheirIds) {
    const ScriptStep title{kNoWindow, 13011, 0, kTitleStep, 0, nullptr, 0, 0, 0};
    EXPECT_EQ(TextParam(title), 13011u + 2u * 65536u);
    const ScriptStep note{kNoWindow, 0x12345, 0, kNoteStep, 0, nullptr, 0, 0, 0};
    EXPECT_EQ(TextParam(note), 0x2345u + 65536u);
    EXPECT_EQ(ReadyParam(Click(kMainWindow, 1002, 1)), 1002u * 65536u + 1u);
    EXPECT_EQ(ReadyParam(Click(kPopupWindow, 0x14112, 1)), 0x4112u * 65536u);
    const ScriptStep key{kMainWindow, 0, 0x10027, kKeyStep, 0, nullptr, 0, 0, 0};
    EXPECT_EQ(KeyParam(key), 0x27u);
}

TEST(SelectingScripts, OnlyScriptsOfTwoStepsOrMoreWithAWindowAreSelected) {
    EXPECT_EQ(FindScript(2).stepCount, 0);
    ScriptEntry& entry = scriptDirectory[2];
    ASSERT_EQ(entry.id, 3);
    const ScriptEntry saved = entry;
    entry.stepCount = 1;
    EXPECT_EQ(FindScript(3).stepCount, 0) << "one step";
    entry = saved;
    ScriptStep first = entry.steps[0];
    entry.steps[0].window = -1;
    EXPECT_EQ(FindScript(3).steps, nullptr) << "first step with window -1";
    entry.steps[0] = first;
    EXPECT_EQ(FindScript(3).stepCount, 6);
}

} // namespace
