// The demo host's simulated instrument and text panel: what the scripts'
// clicks and texts change.
#include <gtest/gtest.h>

#include "host/instrument.h"
#include "host/text_panel.h"

namespace {

TEST(Instrument, MeasuresAtTheChosenRateAndRecordsUntilFull) {
    Instrument meter;
    EXPECT_FALSE(meter.CanRecord()) << "not connected";
    meter.Connect(0);
    meter.Start(1000);
    EXPECT_TRUE(meter.Advance(1000));
    meter.Advance(2000);
    EXPECT_EQ(meter.readings.size(), 51u) << "50 a second, the first at once";
    EXPECT_TRUE(meter.CanRecord());
    meter.StartRecording(2000, 20, true);
    EXPECT_FALSE(meter.CanRecord()) << "already recording";
    meter.Advance(4000);
    EXPECT_EQ(meter.recorded.size(), 20u);
    EXPECT_FALSE(meter.recording) << "stopped when full";
    EXPECT_TRUE(meter.NeedsStopConfirmation());
    EXPECT_EQ(&meter.Shown(), &meter.recorded);
}

TEST(Instrument, StopAsksOnlyWhileARecordingIsUnsaved) {
    Instrument meter;
    meter.Start(0);
    meter.Advance(500);
    EXPECT_FALSE(meter.NeedsStopConfirmation()) << "plain readings";
    meter.StartRecording(500, 0, false);
    meter.Advance(1000);
    ASSERT_TRUE(meter.NeedsStopConfirmation());
    meter.Stop();
    const SavedFile first = meter.Save("DEMO_C.MDF");
    EXPECT_EQ(first.readings, meter.recorded.size());
    EXPECT_FALSE(meter.NeedsStopConfirmation());
    meter.Start(2000); // the saved recording leaves the view
    meter.Advance(2100);
    EXPECT_TRUE(meter.recorded.empty());
    meter.Stop();
    EXPECT_FALSE(meter.NeedsStopConfirmation());
    EXPECT_EQ(meter.Save("DEMO_C1.MDF").readings, meter.readings.size());
    ASSERT_EQ(meter.files.size(), 2u);
}

TEST(Instrument, NewInterfaceSpeedReconnectsForTwoSeconds) {
    Instrument meter;
    meter.Connect(0);
    meter.ChangeInterfaceSpeed(false, 100); // unchanged: nothing happens
    EXPECT_FALSE(meter.Reconnecting());
    meter.ChangeInterfaceSpeed(true, 100);
    EXPECT_TRUE(meter.Reconnecting());
    EXPECT_FALSE(meter.CanRecord());
    meter.Advance(2099);
    EXPECT_TRUE(meter.Reconnecting());
    EXPECT_TRUE(meter.Advance(2100));
    EXPECT_TRUE(meter.CanRecord());
}

TEST(Instrument, KeysMoveTheCursorFromWhatTheViewShows) {
    Instrument meter;
    meter.Start(0);
    meter.Advance(20000); // 1001 readings
    meter.view = ViewMode::Graph;
    EXPECT_EQ(meter.FirstVisible(), 601);
    meter.MoveCursor(39, meter.FirstVisible());
    EXPECT_EQ(meter.cursor, 602);
    meter.MoveCursor(35);
    EXPECT_EQ(meter.cursor, 1000);
    meter.MoveCursor(39);
    EXPECT_EQ(meter.cursor, 1000) << "held at the last reading";
    meter.MoveCursor(36);
    EXPECT_EQ(meter.cursor, 0);
    meter.MoveCursor(37);
    EXPECT_EQ(meter.cursor, 0);
    meter.view = ViewMode::Table;
    EXPECT_EQ(meter.FirstVisible(), 0);
}

TEST(Instrument, FormulaMultipliesTheReadingsItNames) {
    Formula formula;
    formula.text = "U x I x k";
    formula.factor = 0.5;
    EXPECT_DOUBLE_EQ(FormulaValue(formula, Reading{0, 230.0, 4.0}), 460.0);
    formula.text = "";
    EXPECT_DOUBLE_EQ(FormulaValue(formula, Reading{0, 230.0, 4.0}), 0.0);
    const VoltStatistics s = StatisticsOf({{0, 229.0, 1}, {1, 231.0, 1}, {2, 233.0, 1}});
    EXPECT_DOUBLE_EQ(s.minimum, 229.0);
    EXPECT_DOUBLE_EQ(s.maximum, 233.0);
    EXPECT_DOUBLE_EQ(s.mean, 231.0);
}

TEST(TextPanel, ModesFillTheirPlacesAndSmallIdsClear) {
    TextPanel panel;
    ApplyModuleText(panel, 13011, 2, "Title");
    ApplyModuleText(panel, 13012, 1, "A note");
    ApplyModuleText(panel, 13013, 0, "Explained");
    EXPECT_EQ(panel.title, "Title");
    EXPECT_EQ(panel.explanation, "Explained");
    EXPECT_EQ(panel.note, "") << "a new explanation drops the old note";
    ApplyModuleText(panel, 13012, 1, "A note");
    ApplyModuleText(panel, 1, 0, nullptr);
    EXPECT_EQ(panel.explanation, "");
    EXPECT_EQ(panel.note, "A note");
    EXPECT_EQ(panel.title, "Title");
    ApplyModuleText(panel, 13021, 2, "Next topic");
    EXPECT_EQ(panel.note, "");
    ApplyModuleText(panel, 0, 0, nullptr);
    EXPECT_TRUE(panel.Empty());
    EXPECT_EQ(panel.lastTextId, 0u);
}

} // namespace
