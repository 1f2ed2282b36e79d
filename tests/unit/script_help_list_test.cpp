// The help list built from the script directory, and the dialog text maps.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "help/help_list.h"
#include "session/dialog_text_map.h"

namespace {

struct Line {
    std::string text;
    bool selected;
};

class HelpListTest : public ::testing::Test {
  protected:
    std::map<int32_t, std::string> texts = {
        {13001, "Measuring"}, {13011, "Readings"}, {13021, "Range"}, {13031, "Printing"}};
    std::vector<int> sizesAsked;
    std::vector<Line> lines;
    HelpListState state{};

    void Fill(int32_t startScript) {
        state = HelpListState{};
        state.startScript = startScript;
        lines.clear();
        FillHelpList(
            state, scriptDirectory, kScriptCount,
            [this](int32_t id, char* buffer, int size) {
                sizesAsked.push_back(size);
                const std::string text = texts[id].substr(0, static_cast<size_t>(size - 1));
                std::memcpy(buffer, text.c_str(), text.size() + 1);
            },
            [this](const char* line, bool select) {
                lines.push_back({line, select});
            });
    }
};

TEST_F(HelpListTest, TopicsInDirectoryOrderPartsIndented) {
    Fill(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "Measuring");
    EXPECT_EQ(lines[1].text, "   Readings");
    EXPECT_EQ(lines[2].text, "   Range");
    EXPECT_EQ(lines[3].text, "   Printing");
    EXPECT_EQ(state.lineCount, 4);
    EXPECT_EQ(std::vector<int32_t>(state.lineScripts, state.lineScripts + 4),
              (std::vector<int32_t>{1, 3, 4, 5}));
    EXPECT_EQ(sizesAsked, (std::vector<int>{149, 146, 146, 146}));
    EXPECT_TRUE(lines[2].selected) << "script 4 preselected";
    EXPECT_FALSE(lines[0].selected || lines[1].selected || lines[3].selected);
    EXPECT_EQ(HelpLineScript(state, 1), 3);
}

TEST_F(HelpListTest, UnknownPreselectionSelectsNothing) {
    Fill(0);
    for (const Line& line : lines)
        EXPECT_FALSE(line.selected) << "script 0 is no topic";
    EXPECT_EQ(HelpLineScript(state, -1), kHelpNothingChosen);
    EXPECT_EQ(HelpLineScript(state, 4), kHelpNothingChosen);
}

TEST_F(HelpListTest, TopicWithoutHostTitleIsLeftOutAndTheOthersKeepTheirIds) {
    texts.erase(13011);
    Fill(5);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].text, "   Range");
    EXPECT_EQ(HelpLineScript(state, 1), 4);
    EXPECT_EQ(HelpLineScript(state, 2), 5);
    EXPECT_TRUE(lines[2].selected);
}

TEST_F(HelpListTest, NothingToOfferGivesNoLines) {
    texts.clear();
    Fill(1);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(state.lineCount, 0);
}

TEST(HelpTitle, FirstTitleStepWithAPositiveTextId) {
    ScriptStep steps[] = {{0, 13002, 0, 1, 0, nullptr, 0, 0, 0},
                          {0, 13001, 0, 0, 0, nullptr, 0, 0, 0},
                          {0, 13011, 0, 0, 0, nullptr, 0, 0, 0}};
    EXPECT_EQ(HelpTitleTextId({7, 0, 3, steps}), 13001);
    steps[1].textId = -4;
    EXPECT_EQ(HelpTitleTextId({7, 0, 3, steps}), 0) << "only the first title step counts";
    EXPECT_EQ(HelpTitleTextId({7, 0, 1, steps}), 0) << "beyond the step count";
    EXPECT_EQ(HelpTitleTextId({7, 0, 3, nullptr}), 0);
}

TEST(HelpTitle, TooDeepALevelLeavesTheTopicOut) {
    ScriptStep steps[] = {{0, 13001, 0, 0, 0, nullptr, 0, 0, 0}, {0, 0, 0, 1, 0, nullptr, 0, 0, 0}};
    ScriptEntry entries[] = {{8, 49, 2, steps}, {9, 50, 2, steps}, {10, 1 << 30, 2, steps}};
    HelpListState state{};
    std::vector<std::string> lines;
    FillHelpList(
        state, entries, 3, [](int32_t, char* buffer, int) { std::strcpy(buffer, "T"); },
        [&](const char* line, bool) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(147, ' ') + "T");
}

TEST(DialogTextMaps, TheFourDialogsOfTheModule) {
    const DialogTextPair* help = FindDialogTextMap(4420);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help[0].textId, 23070);
    ASSERT_EQ(ControlTextCount(help), 4);
    EXPECT_EQ(help[1].id, 1);
    EXPECT_EQ(help[1].textId, 23355);
    EXPECT_EQ(help[4].id, 31280);
    EXPECT_EQ(help[4].textId, 23357);

    const DialogTextPair* order = FindDialogTextMap(4400);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order[0].textId, 23358);
    ASSERT_EQ(ControlTextCount(order), 14);
    EXPECT_EQ(order[14].id, 31134);
    EXPECT_EQ(order[14].textId, 23371);

    const DialogTextPair* entry = FindDialogTextMap(4414);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry[0].textId, 0) << "caption left alone";
    EXPECT_EQ(ControlTextCount(entry), 0);

    const DialogTextPair* printing = FindDialogTextMap(3031);
    ASSERT_NE(printing, nullptr);
    EXPECT_EQ(printing[0].textId, 0);
    ASSERT_EQ(ControlTextCount(printing), 2);
    EXPECT_EQ(printing[2].id, 31236);

    EXPECT_EQ(FindDialogTextMap(4421), nullptr);
    EXPECT_EQ(FindDialogTextMap(0), nullptr);
    EXPECT_EQ(ControlTextCount(nullptr), 0);
}

} // namespace
