// The help topic dialog as a host sees it: the module loaded by name, the
// list built from the demo host's template 4420, operated like a user would.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

typedef int(__stdcall* DemoHelpFunction)(HWND, HINSTANCE, void*, int);

constexpr int kList = 5371;

struct HelpRun {
    std::vector<std::string> lines;
    int selected = -1;
    std::string caption;
    std::string labels[4]; // buttons 1, 7, 2 and the static 31280
    RECT dialogRect{};
    bool sawDialog = false;
};

// What to do once the dialog is up; runs from a timer inside its modal loop.
std::function<void(HWND)> act;
HelpRun run;
HWND hostWindow = nullptr;

std::string WindowText(HWND window) {
    char text[200] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = GetLastActivePopup(hostWindow);
    if (dialog == hostWindow || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, id);
    run.sawDialog = true;
    HWND list = GetDlgItem(dialog, kList);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char line[200] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        run.lines.push_back(line);
    }
    run.selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    run.caption = WindowText(dialog);
    const int controls[] = {1, 7, 2, 31280};
    for (int i = 0; i < 4; ++i)
        run.labels[i] = WindowText(GetDlgItem(dialog, controls[i]));
    GetWindowRect(dialog, &run.dialogRect);
    act(dialog);
}

void Press(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class HelpDialogTest : public ::testing::Test {
  protected:
    ModuleExports exports;
    DemoHelpFunction demoHelp = nullptr;
    HMODULE hostResources = nullptr;
    TestHostWindow* host = nullptr;

    void SetUp() override {
        ASSERT_TRUE(exports.Load());
        demoHelp = reinterpret_cast<DemoHelpFunction>(
            reinterpret_cast<void*>(GetProcAddress(exports.module, "DemoHelp")));
        ASSERT_NE(demoHelp, nullptr);
        ASSERT_NE(GetProcAddress(exports.module, "DemoHelpSelProc"), nullptr);
        // The demo host's templates, without running it.
        hostResources = LoadLibraryExA((ProgramFolder() + "demohost.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(hostResources, nullptr) << "demohost.exe must be built beside the tests";
        hostTexts = {{6145, "Title"},        {13001, "Measuring"}, {13011, "Readings"},
                     {13021, "Range"},       {13031, "Printing"},  {13012, "Type it"},
                     {23070, "Help topics"}, {23355, "Show"},      {23356, "Program help"},
                     {23012, "Cancel"}};
        host = new TestHostWindow(700, 560);
        hostWindow = host->handle();
        run = HelpRun{};
    }
    void TearDown() override {
        delete host;
        if (hostResources)
            FreeLibrary(hostResources);
        exports.Unload();
    }
    int Help(int startScript, std::function<void(HWND)> action) {
        act = std::move(action);
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookAtDialog);
        const int result = demoHelp(host->handle(), hostResources,
                                    reinterpret_cast<void*>(&TestHostText), startScript);
        KillTimer(nullptr, timer);
        return result;
    }
};

TEST_F(HelpDialogTest, ListsTheTopicsInOrderAndStartsTheChosenOne) {
    const int result = Help(4, [](HWND dialog) {
        SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 1, 0);
        Press(dialog, IDOK);
    });
    ASSERT_TRUE(run.sawDialog);
    EXPECT_EQ(run.lines,
              (std::vector<std::string>{"Measuring", "   Readings", "   Range", "   Printing"}));
    EXPECT_EQ(run.selected, 2) << "script 4 preselected";
    EXPECT_EQ(result, 3);

    // Texts from the host, "###" where it has none (the label 23357).
    EXPECT_EQ(run.caption, "Help topics");
    EXPECT_EQ(run.labels[0], "Show");
    EXPECT_EQ(run.labels[1], "Program help");
    EXPECT_EQ(run.labels[2], "Cancel");
    EXPECT_EQ(run.labels[3], "###");

    // Lower right corner of the host window, 10 pixels in.
    RECT hostRect;
    GetWindowRect(host->handle(), &hostRect);
    EXPECT_EQ(run.dialogRect.right, hostRect.right - 10);
    EXPECT_EQ(run.dialogRect.bottom, hostRect.bottom - 10);

    // Script 3 runs from the next tick: its title first.
    host->commands.clear();
    EXPECT_EQ(exports.DemoTick(host->handle()), 0);
    ASSERT_FALSE(host->commands.empty());
    EXPECT_EQ(LOWORD(host->commands[0].wParam), 1908);
    EXPECT_EQ(host->commands[0].lParam, 13011 + 2 * 65536);
}

TEST_F(HelpDialogTest, DoubleClickChoosesLikeOk) {
    const int result = Help(1, [](HWND dialog) {
        SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 3, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kList)));
    });
    EXPECT_EQ(run.selected, 0);
    EXPECT_EQ(result, 5);
}

TEST_F(HelpDialogTest, ButtonSevenCancelAndCloseBoxStartNothing) {
    EXPECT_EQ(Help(1, [](HWND dialog) { Press(dialog, 7); }), -2);
    EXPECT_EQ(Help(1, [](HWND dialog) { Press(dialog, IDCANCEL); }), -1);
    EXPECT_EQ(Help(1, [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }), -1);
    host->commands.clear();
    EXPECT_EQ(exports.DemoTick(host->handle()), 0);
    EXPECT_TRUE(host->commands.empty()) << "no script phase";
}

TEST_F(HelpDialogTest, OkWithoutSelectionKeepsTheDialogOpen) {
    int presses = 0;
    const int result = Help(0, [&presses](HWND dialog) {
        Press(dialog, IDOK); // script 0 is no topic: nothing is selected
        presses += IsWindow(dialog) && IsWindowVisible(dialog) ? 1 : 0;
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(run.selected, -1);
    EXPECT_EQ(presses, 1) << "still open after OK";
    EXPECT_EQ(result, -1);
}

TEST_F(HelpDialogTest, TopicWithoutTitleIsLeftOutTheOthersKeepTheirScripts) {
    hostTexts.erase(13011);
    const int result = Help(5, [](HWND dialog) {
        SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 1, 0);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(run.lines, (std::vector<std::string>{"Measuring", "   Range", "   Printing"}));
    EXPECT_EQ(run.selected, 2);
    EXPECT_EQ(result, 4);
}

TEST_F(HelpDialogTest, NothingToOfferClosesByItselfAndMissingArgumentsOpenNothing) {
    for (int id : {13001, 13011, 13021, 13031})
        hostTexts.erase(id);
    EXPECT_EQ(Help(1, [](HWND dialog) { Press(dialog, IDCANCEL); }), -1);
    EXPECT_FALSE(run.sawDialog);
    EXPECT_EQ(demoHelp(nullptr, hostResources, reinterpret_cast<void*>(&TestHostText), 1), -1);
    EXPECT_EQ(demoHelp(host->handle(), nullptr, reinterpret_cast<void*>(&TestHostText), 1), -1);
    EXPECT_EQ(demoHelp(host->handle(), hostResources, nullptr, 1), -1);
}

} // namespace
