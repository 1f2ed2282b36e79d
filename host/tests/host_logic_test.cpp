// The demo host's portable logic: command line, log lines, BMP files,
// screenshot schedule and what it makes of the module's results.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/bmp_writer.h"
#include "host/demo_progress.h"
#include "host/event_log.h"
#include "host/host_options.h"
#include "host/module_messages.h"
#include "host/shot_schedule.h"

namespace {

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

unsigned long LittleEndianAt(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
    unsigned long value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

TEST(HostOptions, DefaultsAndEveryOption) {
    OptionsParse none = ParseHostOptions({});
    ASSERT_TRUE(none.ok);
    EXPECT_EQ(none.options.language, 0);
    EXPECT_TRUE(none.options.autoStart);
    EXPECT_FALSE(none.options.exitWhenDone);
    EXPECT_EQ(none.options.timeoutSeconds, 0);
    EXPECT_EQ(none.options.endScriptAfterSeconds, 0); // the script runs until it ends itself
    EXPECT_TRUE(none.options.catalogueDirectory.empty());

    OptionsParse all = ParseHostOptions({"--catalogue", "C:\\cat", "--language", "-3",
                                         "--screenshots=shots", "--exit-when-done", "--no-start",
                                         "--timeout", "90", "--end-script-after", "3"});
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_EQ(all.options.catalogueDirectory, "C:\\cat");
    EXPECT_EQ(all.options.language, -3); // negative: no intro, passed on unchanged
    EXPECT_EQ(all.options.screenshotDirectory, "shots");
    EXPECT_TRUE(all.options.exitWhenDone);
    EXPECT_FALSE(all.options.autoStart);
    EXPECT_EQ(all.options.timeoutSeconds, 90);
    EXPECT_EQ(all.options.endScriptAfterSeconds, 3);

    OptionsParse topic = ParseHostOptions({"--help-topic", "4"});
    ASSERT_TRUE(topic.ok) << topic.error;
    EXPECT_EQ(topic.options.helpTopic, 4);
    EXPECT_EQ(ParseHostOptions({}).options.helpTopic, -1) << "no topic: the demonstration";
    EXPECT_FALSE(ParseHostOptions({"--help-topic", "-1"}).ok);

    OptionsParse noLimit = ParseHostOptions({"--end-script-after=0", "--timeout=0"});
    ASSERT_TRUE(noLimit.ok) << noLimit.error;
    EXPECT_EQ(noLimit.options.endScriptAfterSeconds, 0);
}

TEST(HostOptions, RefusesBadCommandLinesWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--language"},
        {"--language", "two"},
        {"--language", "3x"},
        {"--timeout", "-1"},
        {"--catalogue="},
        {"--frobnicate"},
        {"stray"},
        {"--no-start=1"},
        {"--language", "99999999999"},
        {"--end-script-after", "-1"},
        {"--end-script-after"},
        {"--end-script-after=soon"},
    };
    for (const auto& arguments : bad) {
        OptionsParse parse = ParseHostOptions(arguments);
        EXPECT_FALSE(parse.ok) << arguments[0];
        EXPECT_FALSE(parse.error.empty()) << arguments[0];
    }
}

TEST(HostOptions, SecondsBecomeTimerIntervalsThatCannotWrap) {
    EXPECT_EQ(SecondsAsTimerMilliseconds(0), 0ul);
    EXPECT_EQ(SecondsAsTimerMilliseconds(-5), 0ul);
    EXPECT_EQ(SecondsAsTimerMilliseconds(3), 3000ul);
    EXPECT_EQ(SecondsAsTimerMilliseconds(2147483), 2147483000ul);
    EXPECT_EQ(SecondsAsTimerMilliseconds(2147484), 0x7FFFFFFFul);
    EXPECT_EQ(SecondsAsTimerMilliseconds(2147483647), 0x7FFFFFFFul);
}

TEST(HostOptions, CatalogueFolderAlwaysEndsInASeparator) {
    EXPECT_EQ(WithTrailingSeparator("C:\\data"), "C:\\data\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(WithTrailingSeparator("data/"), "data/");
    EXPECT_EQ(WithTrailingSeparator(""), "");
}

TEST(EventLog, LinesCarryMillisecondsAndAreWrittenAtOnce) {
    EXPECT_EQ(FormatLogLine(1234, "DemoInit -> 1"), "00001234 DemoInit -> 1\n");
    EXPECT_EQ(FormatLogLine(123456789, "x"), "123456789 x\n");

    const std::string path = "demohost_test_events.log";
    EventLog log;
    log.Write("dropped: no file yet");
    ASSERT_TRUE(log.Open(path));
    log.Write("first");
    log.Writef("DemoCommand %d -> %d", 1901, 0);
    std::ifstream reader(path); // readable before the log is closed
    std::string first, second;
    std::getline(reader, first);
    std::getline(reader, second);
    EXPECT_EQ(first.substr(8), " first");
    EXPECT_EQ(second.substr(8), " DemoCommand 1901 -> 0");
    reader.close(); // Windows keeps an open file from being removed
    log.Close();
    EXPECT_EQ(std::remove(path.c_str()), 0);
}

TEST(BmpWriter, HeaderDescribesABottomUp24BitImage) {
    EXPECT_EQ(Bmp24Stride(1), 4u);
    EXPECT_EQ(Bmp24Stride(4), 12u);
    EXPECT_EQ(Bmp24Stride(5), 16u);
    std::vector<unsigned char> header = Bmp24Header(700, 560);
    ASSERT_EQ(header.size(), 54u);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(LittleEndianAt(header, 2, 4), 54u + 2100u * 560u);
    EXPECT_EQ(LittleEndianAt(header, 10, 4), 54u);
    EXPECT_EQ(LittleEndianAt(header, 18, 4), 700u);
    EXPECT_EQ(LittleEndianAt(header, 22, 4), 560u);
    EXPECT_EQ(LittleEndianAt(header, 28, 2), 24u);
    EXPECT_TRUE(Bmp24Header(0, 5).empty());
    EXPECT_TRUE(Bmp24Header(5, -1).empty());
}

TEST(BmpWriter, WritesRowsWithoutTheSourcesExtraPadding) {
    const std::string path = "demohost_test_image.bmp";
    // Two rows of one pixel, each held in 8 bytes (wider than the file's 4).
    const unsigned char rows[16] = {1, 2, 3, 9, 9, 9, 9, 9, 4, 5, 6, 9, 9, 9, 9, 9};
    ASSERT_TRUE(WriteBmp24(path, 1, 2, rows, 8));
    std::vector<unsigned char> file = ReadFile(path);
    ASSERT_EQ(file.size(), 54u + 8u);
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.end()),
              (std::vector<unsigned char>{1, 2, 3, 9, 4, 5, 6, 9}));
    std::remove(path.c_str());

    EXPECT_FALSE(WriteBmp24(path, 2, 2, rows, 4)); // stride shorter than a row
    EXPECT_FALSE(WriteBmp24(path, 1, 1, nullptr, 4));
    EXPECT_FALSE(WriteBmp24(path, 0, 1, rows, 4));
    EXPECT_FALSE(WriteBmp24("no-such-folder/x/y.bmp", 1, 1, rows, 4));
}

TEST(ShotSchedule, NamesInRequestOrderAndHandsThemOutWhenDue) {
    EXPECT_EQ(ShotFileName(1, "start"), "01-start.bmp");
    EXPECT_EQ(ShotFileName(123, "end"), "123-end.bmp");

    ShotSchedule shots(400);
    EXPECT_TRUE(shots.Idle());
    EXPECT_EQ(shots.Request("start", 1000), "01-start.bmp");
    EXPECT_EQ(shots.Request("page1", 1100), "02-page1.bmp");
    EXPECT_TRUE(shots.TakeDue(1399).empty());
    EXPECT_EQ(shots.TakeDue(1400), std::vector<std::string>{"01-start.bmp"});
    EXPECT_FALSE(shots.Idle());
    EXPECT_EQ(shots.TakeDue(5000), std::vector<std::string>{"02-page1.bmp"});
    EXPECT_TRUE(shots.Idle());
    EXPECT_EQ(shots.Request("end", 6000), "03-end.bmp");

    // A dialog about to close is taken at once, ahead of older delayed shots.
    EXPECT_EQ(shots.RequestNow("dialog-save-1", 6100), "04-dialog-save-1.bmp");
    EXPECT_EQ(shots.TakeDue(6100), std::vector<std::string>{"04-dialog-save-1.bmp"});
    EXPECT_EQ(shots.TakeDue(6400), std::vector<std::string>{"03-end.bmp"});
}

TEST(DemoProgress, FollowsATypicalDemonstration) {
    DemoProgress progress;
    EXPECT_FALSE(progress.Running());
    EXPECT_EQ(progress.StatusText(), "Not started");

    EXPECT_EQ(progress.Started().shotLabel, "start");
    EXPECT_TRUE(progress.Running());
    EXPECT_EQ(progress.PeriodicLabel(), "show");

    EXPECT_EQ(progress.TickResult(kResultGoOn).shotLabel, "");
    ProgressChange page1 = progress.CommandResult(kCommandNext, kResultGoOn);
    EXPECT_EQ(page1.shotLabel, "page1");
    EXPECT_EQ(progress.Page(), 1);

    EXPECT_FALSE(page1.scriptBegan);
    ProgressChange script = progress.TickResult(kResultScriptPhase);
    EXPECT_EQ(script.shotLabel, "script");
    EXPECT_TRUE(script.scriptBegan); // the host's script phase limit starts here
    EXPECT_FALSE(script.ended);
    EXPECT_FALSE(progress.TickResult(kResultScriptPhase).scriptBegan); // only once
    EXPECT_EQ(progress.Phase(), DemoPhase::Script);
    EXPECT_EQ(progress.StatusText(), "Script phase  |  last result 3 (script phase)");
    EXPECT_EQ(progress.TickResult(kResultGoOn).shotLabel, ""); // ticks of the script
    EXPECT_EQ(progress.LastResult(), kResultScriptPhase);

    ProgressChange end = progress.TickResult(kResultOver);
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.shotLabel, "end");
    EXPECT_FALSE(progress.Running());
    EXPECT_EQ(progress.StatusText(), "Demonstration over  |  last result 4 (demonstration over)");
    // Late results change nothing once it is over.
    EXPECT_FALSE(progress.TickResult(kResultOver).ended);
}

TEST(DemoProgress, PagingEndingAndPagesOver) {
    DemoProgress progress;
    progress.Started();
    EXPECT_EQ(progress.CommandResult(kCommandPrevious, kResultGoOn).shotLabel, ""); // page 0 stays
    EXPECT_EQ(progress.Page(), 0);
    progress.CommandResult(kCommandNext, kResultGoOn);
    EXPECT_EQ(progress.CommandResult(kCommandPrevious, kResultGoOn).shotLabel, "page0");

    ProgressChange over = progress.TickResult(kResultPagesOver);
    EXPECT_EQ(over.shotLabel, "pages-over");
    EXPECT_EQ(progress.Phase(), DemoPhase::PagesOver);
    EXPECT_TRUE(progress.Running()); // still ticking, waiting for the end
    EXPECT_EQ(progress.TickResult(kResultPagesOver).shotLabel, ""); // reported once

    EXPECT_TRUE(progress.CommandResult(kCommandEnd, kResultOver).ended);

    DemoProgress early;
    early.Started();
    EXPECT_TRUE(early.CommandResult(kCommandEnd, kResultOver).ended);
    EXPECT_EQ(early.Phase(), DemoPhase::Over);
}

TEST(DemoProgress, RestartAndHelpTopics) {
    DemoProgress progress;
    progress.Started();
    progress.CommandResult(kCommandNext, kResultGoOn);
    EXPECT_EQ(progress.Restarted().shotLabel, "restart");
    EXPECT_EQ(progress.Page(), 0);

    DemoProgress fromCommand;
    fromCommand.Started();
    fromCommand.CommandResult(kCommandNext, kResultGoOn);
    EXPECT_TRUE(fromCommand.CommandResult(kCommandNext, kResultScriptPhase).scriptBegan);
    EXPECT_EQ(fromCommand.Phase(), DemoPhase::Script);

    DemoProgress help;
    ProgressChange helpStart = help.HelpStarted();
    EXPECT_EQ(helpStart.shotLabel, "help");
    EXPECT_FALSE(helpStart.scriptBegan); // a chosen topic is no unattended demonstration
    EXPECT_EQ(help.Phase(), DemoPhase::Script);
    EXPECT_EQ(help.PeriodicLabel(), "script");
    EXPECT_TRUE(help.TickResult(kResultOver).ended);
}

TEST(ModuleMessages, DecodesTextRequestsAndReadyQueries) {
    TextRequest text = DecodeTextRequest(8511u + 2u * 65536u);
    EXPECT_EQ(text.textId, 8511u);
    EXPECT_EQ(text.mode, kTextTitle);
    EXPECT_STREQ(TextModeName(kTextNote), "Note");
    EXPECT_STREQ(TextModeName(7), "Unknown mode");

    ReadyQuery main = DecodeReadyQuery(1002u * 65536u + 1u);
    EXPECT_EQ(main.control, 1002u);
    EXPECT_TRUE(main.mainWindow);
    ReadyQuery popup = DecodeReadyQuery(4112u * 65536u);
    EXPECT_EQ(popup.control, 4112u);
    EXPECT_FALSE(popup.mainWindow);

    EXPECT_TRUE(IsDemoCommand(1901));
    EXPECT_TRUE(IsDemoCommand(1907));
    EXPECT_FALSE(IsDemoCommand(1908));
    EXPECT_FALSE(IsDemoCommand(1900));
}

} // namespace
