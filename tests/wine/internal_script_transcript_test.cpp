// Script 0 against a host with real windows: popups opened by the host's
// commands, dialog buttons, edit fields and check boxes, the real front-window
// detection and messages. The engine runs on a clock the test drives, so the
// two minutes of pauses pass in a moment; what the host receives is checked
// step by step.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "frame/exports.h"
#include "frame/script_host_win32.h"
#include "test_support.h"

namespace {

// --- Dialog templates built in memory --------------------------------------

enum ControlKind : WORD { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kCombo = 0x85 };

struct ControlSpec {
    int id;
    ControlKind kind;
    DWORD style;
    const char* text;
};

class DialogTemplate {
  public:
    explicit DialogTemplate(const std::vector<ControlSpec>& controls) {
        DLGTEMPLATE header{};
        header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
        header.cdit = static_cast<WORD>(controls.size());
        header.cx = 240;
        header.cy = 20 + 14 * static_cast<short>(controls.size());
        Append(&header, sizeof header);
        Word(0); // no menu
        Word(0); // standard class
        Text("Test popup");
        Word(8);
        Text("MS Shell Dlg");
        short y = 4;
        for (const ControlSpec& control : controls) {
            Align(4);
            DLGITEMTEMPLATE item{};
            item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | control.style;
            item.x = 4;
            item.y = y;
            item.cx = 200;
            item.cy = control.kind == kCombo ? 80 : 12;
            item.id = static_cast<WORD>(control.id);
            y += 14;
            Append(&item, sizeof item);
            Word(0xFFFF);
            Word(control.kind);
            Text(control.text);
            Word(0); // no creation data
        }
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

  private:
    void Append(const void* data, size_t size) {
        const auto* first = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), first, first + size);
    }
    void Word(WORD value) { Append(&value, sizeof value); }
    void Text(const char* text) {
        for (; *text; ++text)
            Word(static_cast<WORD>(static_cast<unsigned char>(*text)));
        Word(0);
    }
    void Align(size_t to) {
        while (bytes_.size() % to != 0)
            bytes_.push_back(0);
    }
    std::vector<unsigned char> bytes_;
};

const DWORD kPush = BS_PUSHBUTTON;
const DWORD kCheckBox = BS_AUTOCHECKBOX;
const DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL;

// The popups the host opens, by the command that opens them.
std::map<int, std::vector<ControlSpec>> PopupControls() {
    return {
        {1503,
         {{3690, kButton, kCheckBox, "Beep"},
          {3691, kButton, kCheckBox, "Statistics"},
          {5208, kButton, kPush, "Fast"},
          {1, kButton, kPush, "OK"}}},
        {1511,
         {{4112, kButton, kPush, "U"},
          {4113, kButton, kPush, "I"},
          {4144, kButton, kPush, "x"},
          {4160, kButton, kPush, "k"},
          {4180, kButton, kPush, "Check"},
          {4169, kButton, kPush, "Keep"},
          {4111, kEdit, ES_AUTOHSCROLL | WS_BORDER, ""},
          {4109, kEdit, ES_AUTOHSCROLL | WS_BORDER, ""},
          {4181, kButton, kPush, "Preview"},
          {4102, kButton, kCheckBox, "Show"},
          {4190, kStatic, 0, "static"},
          {1, kButton, kPush, "OK"}}},
        {1072,
         {{3821, kEdit, WS_BORDER, ""},
          {3824, kButton, kCheckBox, "Stop"},
          {1, kButton, kPush, "OK"}}},
        {1004,
         {{6, kButton, kPush, "Yes"}, {7, kButton, kPush, "No"}, {2, kButton, kPush, "Cancel"}}},
        {1001, {{3002, kEdit, ES_AUTOHSCROLL | WS_BORDER, ""}, {1, kButton, kPush, "OK"}}},
        {1020,
         {{3401, kButton, kCheckBox, "Auto"},
          {3402, kCombo, kDropList, ""},
          {1, kButton, kPush, "OK"}}},
    };
}

// --- The host ----------------------------------------------------------------

struct Event {
    int step;      // the step that ran last when it happened
    uint32_t time; // on the test's clock
    int tick;
    std::string what;
};

std::vector<Event> transcript;
uint32_t clockNow = 5000;
int tickCount = 0;
int runningStep = -1;
int confirmationsLeft = 1; // Stop asks once, while a recording is unsaved
bool answerReady = true;
uint32_t readyFrom = 0; // on the test's clock
std::map<int, std::vector<ControlSpec>> popups;
std::map<int, std::string> dropDownSelections;

void Record(const std::string& what) {
    transcript.push_back({runningStep, clockNow, tickCount, what});
}

class TestClockHost : public WindowScriptHost {
  public:
    uint32_t Now() override { return clockNow; }
    void Wait(uint32_t milliseconds) override { clockNow += milliseconds; }
    bool TakeFrontWindow() override {
        runningStep = session.flow.stepIndex;
        return WindowScriptHost::TakeFrontWindow();
    }
};

int openPopup = 0;

std::string CheckStates(HWND dialog) {
    std::string states;
    for (const ControlSpec& control : popups[openPopup]) {
        if (control.style == kCheckBox)
            states += " " + std::to_string(control.id) + "=" +
                      std::to_string(IsDlgButtonChecked(dialog, control.id));
    }
    return states;
}

INT_PTR CALLBACK PopupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // Shown at once rather than when the dialog's loop first idles, so
        // the step after the click finds it on its first try.
        ShowWindow(dialog, SW_SHOW);
        CheckDlgButton(dialog, 3690, BST_CHECKED);
        for (const char* item : {"2 V", "20 V", "200 V", "600 V"})
            SendDlgItemMessageA(dialog, 3402, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendDlgItemMessageA(dialog, 3402, CB_SETCURSEL, 0, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    char text[64] = {};
    if (code == EN_CHANGE) {
        GetDlgItemTextA(dialog, id, text, sizeof text);
        Record("typed " + std::to_string(id) + " " + text);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    Record((lParam != 0 ? "click " : "popup command ") + std::to_string(id));
    if (id == 1 || id == 2 || id == 6 || id == 7) {
        const LRESULT selected = SendDlgItemMessageA(dialog, 3402, CB_GETCURSEL, 0, 0);
        dropDownSelections[openPopup] = std::to_string(selected);
        Record("popup " + std::to_string(openPopup) + " closed by " + std::to_string(id) +
               CheckStates(dialog));
        EndDialog(dialog, id);
    }
    return TRUE;
}

void OpenPopup(HWND host, int command) {
    auto found = popups.find(command);
    if (found == popups.end())
        return;
    if (command == 1004 && confirmationsLeft-- <= 0)
        return;
    Record("popup " + std::to_string(command) + " opened");
    openPopup = command;
    DialogTemplate dialog(found->second);
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), host, PopupProc, 0);
    openPopup = 0;
}

// Honest readiness: the control must exist, be visible and enabled.
LRESULT AnswerReady(HWND host, int command, LPARAM param) {
    const int control = static_cast<int>((param >> 16) & 0xFFFF);
    const bool main = (param & 0xFFFF) == 1;
    Record("ready " + std::to_string(command) + " " + std::to_string(control) +
           (main ? " main" : " popup"));
    HWND front = GetLastActivePopup(host);
    HWND owner = main ? host : (front != host ? front : nullptr);
    HWND window = owner ? GetDlgItem(owner, control) : nullptr;
    const bool willing = answerReady && clockNow >= readyFrom;
    if (main && window == nullptr)
        return willing; // the test host's commands have no buttons
    return willing && window && IsWindowVisible(window) && IsWindowEnabled(window);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND)
        return DefWindowProcA(window, message, wParam, lParam);
    const int id = LOWORD(wParam);
    switch (id) {
    case 1908:
        Record("text " + std::to_string(lParam & 0xFFFF) + "/" + std::to_string(lParam >> 16));
        return 0;
    case 1909:
    case 1910:
        return AnswerReady(window, id, lParam);
    case 1907:
        Record("key " + std::to_string(lParam));
        return 0;
    default:
        Record("command " + std::to_string(id));
        OpenPopup(window, id);
        return 0;
    }
}

HWND CreateHost() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ScriptTranscriptHost";
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    HWND host = CreateWindowA("ScriptTranscriptHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    return host;
}

// --- The ticking --------------------------------------------------------------

TestClockHost clockHost;
int finalResult = 0;
UINT_PTR tickTimer = 0;

// Each tick: when nothing is being retried, the clock jumps to the time the
// next step is due, so the script's pauses cost no real time.
void TickOnce() {
    if (session.flow.retryDeadline == 0 && clockNow < session.flow.nextStepTime)
        clockNow = session.flow.nextStepTime;
    else
        clockNow += 50;
    ++tickCount;
    finalResult = ScriptTick(session.flow, clockHost);
    if (finalResult != 0) {
        Record("end " + std::to_string(finalResult));
        KillTimer(nullptr, tickTimer);
    }
}

// Ticks until the engine has posted something: posted messages are handled
// between ticks, as in a host's message loop. Batching the ticks keeps the
// test quick on a busy machine.
void CALLBACK TickProc(HWND, UINT, UINT_PTR, DWORD) {
    for (int i = 0; i < 50 && finalResult == 0; ++i) {
        TickOnce();
        if (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0)
            break;
    }
}

class ScriptTranscriptTest : public ::testing::Test {
  protected:
    HWND host = nullptr;
    std::vector<ScriptStep> steps;

    void SetUp() override {
        session = DemoSession{};
        session.moduleInstance = GetModuleHandleA(nullptr);
        session.bigCursor = LoadCursorA(session.moduleInstance, "BIG");
        session.hostTextCallback = TestHostText;
        hostTexts[8501] = "1.0";
        hostTexts[8502] = "200";
        host = CreateHost();
        session.hostWindow = host;
        transcript.clear();
        popups = PopupControls();
        confirmationsLeft = 1;
        answerReady = true;
        readyFrom = 0;
        finalResult = 0;
        tickCount = 0;
        runningStep = -1;
    }
    void TearDown() override {
        if (tickTimer)
            KillTimer(nullptr, tickTimer);
        DestroyWindow(host);
        PumpMessages(20);
        if (session.bigCursor)
            DestroyCursor(session.bigCursor);
        session = DemoSession{};
    }
    void Select(std::vector<ScriptStep> script) {
        steps = std::move(script);
        session.flow.phase = kScriptPhase;
        session.flow.steps = steps.data();
        session.flow.stepCount = static_cast<int>(steps.size());
        session.flow.stepIndex = -1;
        session.flow.nextStepTime = 0;
        session.flow.retryDeadline = 0;
    }
    // Ticks until the script ends or `realMs` have passed; its final result.
    int RunScript(DWORD realMs = 60000) {
        tickTimer = SetTimer(nullptr, 0, 10, TickProc);
        PumpUntil([] { return finalResult != 0; }, realMs);
        KillTimer(nullptr, tickTimer);
        tickTimer = 0;
        return finalResult;
    }
    std::vector<std::string> EventsOfStep(int step) const {
        std::vector<std::string> found;
        for (const Event& event : transcript)
            if (event.step == step && event.what.rfind("end ", 0) != 0)
                found.push_back(event.what);
        return found;
    }
};

std::vector<ScriptStep> CopyOfMainScript() {
    const ScriptSelection main = FindScript(0);
    return std::vector<ScriptStep>(main.steps, main.steps + main.stepCount);
}

using Lines = std::vector<std::string>;

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A command of the main window after a cursor flash: asked with 1910 before
// the flash and with 1909 when it is run again.
Lines MainClick(int id, bool cursor) {
    const std::string control = std::to_string(id) + " main";
    if (cursor)
        return {"ready 1910 " + control, "ready 1909 " + control, "command " + std::to_string(id)};
    return {"ready 1909 " + control, "command " + std::to_string(id)};
}

Lines Opens(int id, bool cursor) {
    return Concat({MainClick(id, cursor), {"popup " + std::to_string(id) + " opened"}});
}

Lines Asked(int id) {
    return {"ready 1910 " + std::to_string(id) + " popup",
            "ready 1909 " + std::to_string(id) + " popup"};
}

Lines Pressed(int id) {
    return Concat({Asked(id), {"click " + std::to_string(id)}});
}

Lines Typed(int id, const std::string& text) {
    Lines lines = Asked(id);
    for (size_t n = 1; n <= text.size(); ++n)
        lines.push_back("typed " + std::to_string(id) + " " + text.substr(0, n));
    return lines;
}

Lines Closed(int popup, int button, const std::string& checks = "") {
    return {"ready 1909 " + std::to_string(button) + " popup",
            "popup command " + std::to_string(button),
            "popup " + std::to_string(popup) + " closed by " + std::to_string(button) + checks};
}

Lines Text(int id) {
    return {"text " + std::to_string(id) + "/0"};
}

std::vector<Lines> ExpectedMainScript() {
    std::vector<Lines> steps = {
        Text(8511),
        MainClick(1002, true),
        Text(8513),
        Text(0),
        Text(8514),
        MainClick(1015, true),
        Text(8515),
        MainClick(1012, true),
        Text(8516),
        Opens(1503, true),                 // 9
        {"ready 1909 3690 popup"},         // 10 unchecked
        Asked(3691),                       // 11 checked
        Closed(1503, 1, " 3690=0 3691=1"), // 12
        MainClick(1013, false),
        MainClick(1011, false),
        Text(8517),
        Opens(1511, true), // 16
        Pressed(4112),
        Pressed(4144),
        Pressed(4113),
        Pressed(4144),
        Pressed(4160),
        Pressed(4180),
        Pressed(4169), // 17..23
        Typed(4111, "VA"),
        Typed(4109, "1.0"),
        Pressed(4181),
        Asked(4102),
        Closed(1511, 1, " 4102=1"), // 28
        Opens(1503, true),
        Pressed(5208),
        Closed(1503, 1, " 3690=1 3691=0"), // a fresh popup
        {"ready 1909 1072 main"},          // 32 waits
        Lines(11, "key 39"),               // 33
        Text(8518),
        Opens(1072, true),
        Typed(3821, "200"),
        Asked(3824),
        Closed(1072, 1, " 3824=1"), // 38
        Opens(1004, false),
        Closed(1004, 7), // 39, 40
        Text(8545),
        Opens(1001, false),
        Typed(3002, "DEMO_C.MDF"),
        Closed(1001, 1),
        Text(8546),
        {"key 39"},
        {"key 39"},
        {"key 39"},
        {"key 39"},
        {"key 39"},
        Text(8547),
        MainClick(1013, false),
        Text(8548),
        MainClick(1015, false),
        MainClick(1004, false), // 55: nothing to confirm
        Text(8551),
        Opens(1001, false),
        Typed(3002, "DEMO_C1.MDF"),
        Closed(1001, 1),
        Text(8552),
        MainClick(1004, false),
        Text(8553),
        Opens(1001, false),
        Typed(3002, "DEMO_C2.MDF"),
        Closed(1001, 1),
        Text(8554),
        MainClick(1004, false),
    };
    return steps;
}

TEST_F(ScriptTranscriptTest, MainScriptStepByStep) {
    Select(CopyOfMainScript());
    ASSERT_EQ(RunScript(), 4) << "the script did not end";
    const std::vector<Lines> expected = ExpectedMainScript();
    ASSERT_EQ(expected.size(), 68u);
    for (int step = 0; step < 68; ++step)
        EXPECT_EQ(EventsOfStep(step), expected[step]) << "step " << step;
    ASSERT_FALSE(transcript.empty());
    EXPECT_EQ(transcript.back().what, "end 4");
    EXPECT_EQ(session.flow.stepIndex, 68);

    // Step 33: eleven keys, one per tick, no time between them.
    std::vector<Event> keys;
    for (const Event& event : transcript)
        if (event.step == 33)
            keys.push_back(event);
    ASSERT_EQ(keys.size(), 11u);
    for (size_t i = 1; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].tick, keys[i - 1].tick + 1);
        EXPECT_EQ(keys[i].time, keys[i - 1].time + 50u);
    }
    // "V", then "VA" 300 ms later; the press's up follows its down by 300 ms.
    std::vector<uint32_t> typedAt;
    for (const Event& event : transcript)
        if (event.what.rfind("typed 4111 ", 0) == 0)
            typedAt.push_back(event.time);
    ASSERT_EQ(typedAt.size(), 2u);
    EXPECT_EQ(typedAt[1] - typedAt[0], 300u);

    // Ended for good: later ticks run nothing.
    const size_t events = transcript.size();
    for (int i = 0; i < 5; ++i) {
        clockNow += 1000;
        EXPECT_EQ(ScriptTick(session.flow, clockHost), 0);
    }
    PumpMessages(50);
    EXPECT_EQ(transcript.size(), events);
}

TEST_F(ScriptTranscriptTest, SecondRunPressesWithoutFlashing) {
    Select(CopyOfMainScript());
    ASSERT_EQ(RunScript(), 4);
    transcript.clear();
    confirmationsLeft = 1;
    finalResult = 0;
    session.flow.stepIndex = -1;
    session.flow.nextStepTime = 0;
    ASSERT_EQ(RunScript(), 4);
    EXPECT_EQ(EventsOfStep(1), (Lines{"ready 1909 1002 main", "command 1002"}));
    EXPECT_EQ(EventsOfStep(17), (Lines{"ready 1909 4112 popup", "click 4112"}));
    EXPECT_EQ(EventsOfStep(33), Lines{"key 39"}) << "repeats are used up";
}

TEST_F(ScriptTranscriptTest, PopupThatNeverOpensEndsTheScriptAfterTenSeconds) {
    popups.erase(1503);
    Select({{1, 0, 1503, 4, 0, nullptr, 0, 0, 0},
            {2, 0, 1, 4, 0, nullptr, 0, 0, 0},
            {0, 8511, 0, 1, 0, nullptr, 0, 0, 0}});
    ASSERT_EQ(RunScript(), 4);
    EXPECT_EQ(EventsOfStep(1), Lines{}) << "a popup step never reaches the main window";
    ASSERT_GE(transcript.size(), 2u);
    EXPECT_EQ(transcript[1].what, "command 1503");
    EXPECT_EQ(transcript.back().what, "end 4");
    const uint32_t waited = transcript.back().time - transcript[1].time;
    EXPECT_GE(waited, 10000u);
    EXPECT_LE(waited, 10100u);
    EXPECT_EQ(session.flow.stepIndex, 3);
    EXPECT_EQ(session.flow.retryDeadline, 0u);
    EXPECT_TRUE(EventsOfStep(2).empty()) << "nothing after the failed step";
}

TEST_F(ScriptTranscriptTest, HostThatBecomesReadyInTimeLetsTheScriptGoOn) {
    readyFrom = clockNow + 3000; // not ready for three seconds of the retry
    popups.erase(1072);
    Select({{1, 0, 1072, 7, 0, nullptr, 0, 0, 0},
            {1, 0, 1072, 4, 0, nullptr, 20, 0, 0},
            {0, 8518, 0, 1, 0, nullptr, 0, 0, 0}});
    ASSERT_EQ(RunScript(), 4);
    EXPECT_GE(EventsOfStep(0).size(), 60u) << "asked again on every tick";
    EXPECT_EQ(EventsOfStep(1), (Lines{"ready 1909 1072 main", "command 1072"}));
    EXPECT_EQ(EventsOfStep(2), Text(8518));
}

// Check boxes and a drop-down list, as the help topics use them.
TEST_F(ScriptTranscriptTest, ControlStepsCheckAndWorkADropDownList) {
    Select({{1, 0, 1020, 4, 0, nullptr, 0, 0, 0},
            {2, 0, 3401, 6, 3, nullptr, 0, 0, 0},
            {2, 0, 3402, 6, 5, nullptr, 0, 0, 0},
            {2, 0, 3402, 6, 1, nullptr, 0, 0, 1},
            {2, 0, 3402, 6, 2, nullptr, 0, 0, 0},
            {2, 0, 3402, 6, 6, nullptr, 0, 0, 0},
            {2, 0, 1, 4, 0, nullptr, 0, 1, 0}});
    ASSERT_EQ(RunScript(), 4);
    EXPECT_EQ(EventsOfStep(6), (Lines{"ready 1910 1 popup", "ready 1909 1 popup", "click 1",
                                      "popup 1020 closed by 1 3401=1"}));
    EXPECT_EQ(dropDownSelections[1020], "1") << "two down, one up";
}

} // namespace
