// Step validation, and the built-in scripts against it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "frame/script_validation.h"

namespace {

ScriptStep Step(int32_t window, int32_t textId, int32_t control, int32_t kind,
                int32_t subAction = 0, const char* text = nullptr, int32_t cursor = 0,
                int32_t repeat = 0) {
    return {window, textId, control, kind, subAction, text, 10, cursor, repeat};
}

TEST(StepValidation, EachRuleRefusesWhatItNames) {
    struct Case {
        ScriptStep step;
        int rule;
    } cases[] = {
        {Step(3, 0, 1002, kClickStep), 1},
        {Step(-1, 8511, 0, kTextStep), 1},
        {Step(kMainWindow, 8511, 0, kTextStep), 2},
        {Step(kPopupWindow, 13011, 0, kTitleStep), 2},
        {Step(kMainWindow, 0, 0, kKeyStep), 3},
        {Step(kPopupWindow, 0, 39, kKeyStep), 3},
        {Step(kMainWindow, 0, 39, kKeyStep, 0, "x"), 3},
        {Step(kMainWindow, 0, 39, kKeyStep, 0, nullptr, 1), 3},
        {Step(kMainWindow, 0, 0, kClickStep), 4},
        {Step(kNoWindow, 0, 1002, kWaitStep), 4},
        {Step(kNoWindow, 0, 1002, 9), 4},
        {Step(kPopupWindow, 0, 1, kClickStep, 0, "OK"), 5},
        {Step(kMainWindow, 0, 3002, kTypeStep, 0, "A.MDF"), 6},
        {Step(kPopupWindow, 0, 3002, kTypeStep), 6},
        {Step(kMainWindow, 0, 3690, kControlStep, kCheck), 7},
        {Step(kPopupWindow, 0, 3690, kControlStep, 0), 7},
        {Step(kNoWindow, 8511, 0, kTextStep, 0, nullptr, 1), 8},
        {Step(kNoWindow, 8511, 0, kTextStep, 0, nullptr, 0, 1), 9},
        {Step(kPopupWindow, 0, 3002, kTypeStep, 0, "A", 0, 2), 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "window " << c.step.window << " kind " << c.step.kind
                                        << " control " << c.step.control);
        EXPECT_EQ(BrokenStepRule(c.step), c.rule);
        EXPECT_TRUE(IsInvalidStep(c.step));
    }
}

TEST(StepValidation, StepsTheRulesAllow) {
    const ScriptStep allowed[] = {
        Step(kNoWindow, 0, 0, kTextStep),                        // id 0 clears
        Step(kMainWindow, 8511, 1002, kTextStep, 0, nullptr, 1), // a text step naming a control
        Step(kMainWindow, 0, 39, kKeyStep, 0, nullptr, 0, 10),
        Step(kMainWindow, 0, 1002, kClickStep, 0, nullptr, 1),
        Step(kPopupWindow, 8501, 4109, kTypeStep),
        Step(kPopupWindow, 0, 3402, kControlStep, 7, nullptr, 0, 3), // bad sub-action: fails later
        Step(kMainWindow, 0, 1072, kWaitStep, 0, nullptr, 0, 2),
        Step(kPopupWindow, 0, 1, 8), // unknown kind: fails when run
    };
    for (const ScriptStep& step : allowed)
        EXPECT_EQ(BrokenStepRule(step), 0) << "kind " << step.kind;
}

TEST(BuiltInScripts, EveryStepIsValidAndTheCountsMatchTheDirectory) {
    const int expectedCounts[] = {68, 50, 6, 17, 8};
    for (int i = 0; i < kScriptCount; ++i) {
        const ScriptEntry& entry = scriptDirectory[i];
        SCOPED_TRACE(entry.id);
        ASSERT_NE(entry.steps, nullptr);
        EXPECT_EQ(entry.stepCount, expectedCounts[i]);
        for (int s = 0; s < entry.stepCount; ++s)
            EXPECT_EQ(BrokenStepRule(entry.steps[s]), 0) << "step " << s;
        EXPECT_EQ(FindScript(entry.id).stepCount, entry.stepCount);
    }
}

// A text step that names a control or a cursor flashes first and loses its
// delay to the cursor's half second; the topics written here have none.
TEST(BuiltInScripts, TopicsTitleThemselvesAndKeepTheirTextDelays) {
    for (const ScriptEntry& entry : scriptDirectory) {
        if (entry.helpLevel < 0)
            continue;
        SCOPED_TRACE(entry.id);
        ASSERT_GT(entry.stepCount, 0);
        EXPECT_EQ(entry.steps[0].kind, kTitleStep);
        EXPECT_GE(entry.steps[0].textId, 13001);
        EXPECT_LE(entry.steps[0].textId, 13034);
        for (int s = 0; s < entry.stepCount; ++s) {
            const ScriptStep& step = entry.steps[s];
            if (!IsTextKind(step.kind))
                continue;
            EXPECT_EQ(step.control, 0) << "step " << s;
            EXPECT_EQ(step.cursor, 0) << "step " << s;
            const bool topicText = step.textId >= 13001 && step.textId <= 13034;
            EXPECT_TRUE(topicText || step.textId == 0 || step.textId == 1) << "step " << s;
        }
    }
}

TEST(BuiltInScripts, TopicsNameOnlyCommandsAndControlsTheDemoHostHas) {
    const int mainCommands[] = {1001, 1002, 1004, 1011, 1012, 1013, 1015,
                                1018, 1020, 1030, 1072, 1503, 1511};
    const int keys[] = {36, 37, 39};
    const int popupControls[] = {1,    2,    6,    7,    3002, 3301, 3401, 3402,
                                 3501, 3502, 3690, 3691, 3693, 3821, 3824, 5208};
    auto contains = [](const auto& list, int value) {
        return std::find(std::begin(list), std::end(list), value) != std::end(list);
    };
    for (int i = 1; i < kScriptCount; ++i) {
        const ScriptEntry& entry = scriptDirectory[i];
        for (int s = 0; s < entry.stepCount; ++s) {
            const ScriptStep& step = entry.steps[s];
            SCOPED_TRACE(testing::Message() << "script " << entry.id << " step " << s);
            if (step.kind == kKeyStep) {
                EXPECT_TRUE(contains(keys, step.control));
            } else if (step.window == kMainWindow) {
                EXPECT_TRUE(contains(mainCommands, step.control));
            } else if (step.window == kPopupWindow) {
                EXPECT_TRUE(contains(popupControls, step.control));
            }
        }
    }
}

} // namespace
