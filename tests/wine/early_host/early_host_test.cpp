// A host written as the early ones were, years before the module's guide: a
// 55 ms WM_TIMER calls DemoTick all the time, every WM_COMMAND 1901..1907 goes
// to DemoCommand at once (also while the module's own dialogs are open), a
// result of 4 calls DemoFree at once, and the module is unloaded when the
// host's own loop runs again. Its templates are the guide's fragments. The
// module alone must keep its dialogs, its script and its unload sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kUnloadMessage = WM_APP + 1;
constexpr int kHelpMenuCommand = 40001; // the host's own "Help topics"
constexpr int kOrderSheetCommand = 1906;
constexpr int kEndCommand = 1903;
constexpr DWORD kHoldMs = 20000;

int accessViolations = 0;
bool exiting = false;

LONG CALLBACK CountAccessViolations(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
        ++accessViolations;
        if (exiting)
            TerminateProcess(GetCurrentProcess(), 99);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Dialogs up in this thread (the module's, and the system's it opens),
// followed from a hook as a user's eyes would.
int dialogsUp = 0;
std::vector<HWND> dialogs;
HHOOK dialogHook = nullptr;

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        ++dialogsUp;
        dialogs.push_back(call->hwnd);
    } else if (code == HC_ACTION && call->message == WM_DESTROY &&
               std::find(dialogs.begin(), dialogs.end(), call->hwnd) != dialogs.end()) {
        --dialogsUp;
        dialogs.erase(std::find(dialogs.begin(), dialogs.end(), call->hwnd));
    }
    return CallNextHookEx(dialogHook, code, wParam, lParam);
}

class EarlyHost {
  public:
    struct Event {
        int id;    // 1908..1910 from the module; a result of a module call
        int value; // text id, or the result
        bool underDialog;
    };

    EarlyHost() {
        hostTexts[6145] = "Early host";
        for (DWORD id = 13001; id <= 13034; ++id) // the help topics' titles among them
            hostTexts[id] = "Help text " + std::to_string(id);
        the = this;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "EarlyHost";
        RegisterClassA(&windowClass);
        window = CreateWindowA("EarlyHost", "Early host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               720, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        dialogHook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, WatchDialogs, nullptr, GetCurrentThreadId());
    }
    ~EarlyHost() {
        UnhookWindowsHookEx(dialogHook);
        DestroyWindow(window);
        if (module)
            FreeLibrary(module);
        the = nullptr;
    }

    // Loads the module from the program's folder, opens a demonstration and
    // starts ticking.
    bool Open(const char* showScript) {
        WriteWholeFile("script_c.mst", showScript);
        module = LoadLibraryA((ProgramFolder() + "brenk_C.dll").c_str());
        if (!module)
            return false;
        Find(DemoInit, "DemoInit");
        Find(DemoFree, "DemoFree");
        Find(DemoTick, "DemoTick");
        Find(DemoCommand, "DemoCommand");
        Find(DemoHelp, "DemoHelp");
        Find(DllFPError, "DllFPError");
        SetTimer(window, kTickTimer, 55, nullptr);
        const std::string catalogueFolder = ProgramFolder();
        return DemoInit(window, GetModuleHandleA(nullptr), reinterpret_cast<void*>(&TestHostText),
                        catalogueFolder.c_str(), 0) == 1;
    }

    bool PageOneShows() const { return forwardedNext; }
    bool Unloaded() const { return module == nullptr && freed; }
    std::vector<int> TextsWhere(bool underDialog) const {
        std::vector<int> ids;
        for (const Event& e : events)
            if (e.id == 1908 && e.underDialog == underDialog)
                ids.push_back(e.value & 0xFFFF);
        return ids;
    }
    int QueriesUnderDialog() const {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const Event& e) {
            return e.id != 0 && e.underDialog;
        }));
    }
    int TicksUnderDialog() const {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const Event& e) {
            return e.id == 0 && e.underDialog;
        }));
    }
    int ResultsUnderDialog() const {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const Event& e) {
            return e.id == 0 && e.underDialog && e.value != 0;
        }));
    }

    HWND window = nullptr;
    HMODULE module = nullptr;
    int(__stdcall* DemoInit)(HWND, HINSTANCE, void*, const char*, int) = nullptr;
    void(__stdcall* DemoFree)() = nullptr;
    int(__stdcall* DemoTick)(HWND) = nullptr;
    int(__stdcall* DemoCommand)(int, LPARAM) = nullptr;
    int(__stdcall* DemoHelp)(HWND, HINSTANCE, void*, int) = nullptr;
    int(__stdcall* DllFPError)(int) = nullptr;
    std::vector<Event> events;
    std::vector<int> helpResults;
    bool forwardedNext = false;
    bool freed = false;
    bool scriptBegun = false;

  private:
    template <typename Fn> void Find(Fn& fn, const char* name) {
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    // Whatever a call returns, 4 ends it all at once.
    void Take(int result) {
        events.push_back({0, result, dialogsUp > 0});
        scriptBegun = scriptBegun || result == 3;
        if (result != 4 || freed)
            return;
        KillTimer(window, kTickTimer);
        DemoFree();
        freed = true;
        PostMessageA(window, kUnloadMessage, 0, 0);
    }

    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) {
        const int id = LOWORD(wParam);
        if (id >= 1908 && id <= 1910) {
            events.push_back({id, static_cast<int>(lParam), dialogsUp > 0});
            return 0; // not ready: this host has none of the windows the script asks for
        }
        if (module && !freed && id >= 1901 && id <= 1907) {
            forwardedNext = forwardedNext || id == 1901;
            Take(DemoCommand(id, lParam));
        } else if (module && !freed && id == kHelpMenuCommand) {
            helpResults.push_back(DemoHelp(window, GetModuleHandleA(nullptr),
                                           reinterpret_cast<void*>(&TestHostText), 0));
        }
        return 0;
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        EarlyHost* host = the;
        if (host && message == WM_TIMER && wParam == kTickTimer && host->module && !host->freed)
            host->Take(host->DemoTick(window));
        else if (host && message == WM_COMMAND)
            return host->OnCommand(wParam, lParam);
        else if (host && message == kUnloadMessage && host->module) {
            FreeLibrary(host->module);
            host->module = nullptr;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static EarlyHost* the;
};

EarlyHost* EarlyHost::the = nullptr;

const char kShortShow[] = "slide 2 Early|host\nend 1\n";

// The dialog on top of the host, once one is up.
HWND TopDialog() {
    return dialogs.empty() ? nullptr : dialogs.back();
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A press on the sheet's first line and a digit: the entry opens with it.
void TypeQuantity(HWND sheet) {
    HWND list = GetDlgItem(sheet, 4406);
    RECT line;
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
    const LPARAM point = MAKELPARAM((line.left + line.right) / 2, (line.top + line.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_KEYDOWN, '5', 1);
}

// The user, acting from a timer: the module's dialogs run their own loops
// inside the host's calls, so the test's own code waits outside them while
// each step waits for its moment and then posts its input, as a hand would.
class User {
  public:
    typedef std::function<bool()> Step; // true once done
    explicit User(std::vector<Step> steps) : steps_(std::move(steps)) {
        the = this;
        timer_ = SetTimer(nullptr, 0, 250, Act);
    }
    ~User() {
        KillTimer(nullptr, timer_);
        the = nullptr;
    }
    bool Done() const { return next_ == steps_.size(); }

  private:
    // A step that never comes gives up: every dialog is cancelled, so the
    // test ends with a failure instead of waiting inside a modal loop.
    static constexpr DWORD kPatienceMs = 40000;

    static void CALLBACK Act(HWND, UINT, UINT_PTR, DWORD) {
        if (!the || the->Done())
            return;
        if (the->steps_[the->next_]()) {
            ++the->next_;
            the->stepStart_ = GetTickCount();
        } else if (GetTickCount() - the->stepStart_ > kPatienceMs) {
            for (HWND dialog : dialogs)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    static User* the;
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD stepStart_ = GetTickCount();
    UINT_PTR timer_ = 0;
};

User* User::the = nullptr;

// A step that waits `ms` from the first time it is asked.
User::Step After(DWORD ms) {
    auto since = std::make_shared<DWORD>(0);
    return [since, ms] {
        if (*since == 0)
            *since = GetTickCount() | 1;
        return GetTickCount() - *since >= ms;
    };
}

User::Step When(std::function<bool()> condition, std::function<void()> action) {
    return [condition, action] {
        if (!condition())
            return false;
        action();
        return true;
    };
}

class EarlyHostTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { AddVectoredExceptionHandler(1, CountAccessViolations); }
    void SetUp() override { accessViolations = 0; }
    void TearDown() override {
        EXPECT_TRUE(PumpUntil([&] { return host.Unloaded(); }, 60000)) << "never ended";
        EXPECT_EQ(accessViolations, 0);
    }
    // The host's menu: its command comes back to it and goes to the module.
    void Menu(int command) { PostMessageA(host.window, WM_COMMAND, command, 0); }
    User::Step OnPageOne(int command) {
        return When([this] { return host.PageOneShows(); }, [this, command] { Menu(command); });
    }
    static User::Step WithDialogs(size_t count, std::function<void()> action) {
        return When([count] { return dialogs.size() == count; }, action);
    }
    EarlyHost host;
};

TEST_F(EarlyHostTest, OrderSheetHeldOnPageOneHoldsTheDemonstration) {
    ASSERT_TRUE(host.Open(kShortShow));
    HWND sheet = nullptr;
    size_t dialogsWhileHeld = 0;
    User user({OnPageOne(kOrderSheetCommand),
               WithDialogs(1, [&] { TypeQuantity(sheet = TopDialog()); }),
               WithDialogs(2, [] { Click(TopDialog(), IDOK); }),
               WithDialogs(1,
                           [&] {
                               // A second sheet and the help list are refused over it.
                               Menu(kOrderSheetCommand);
                               Menu(kHelpMenuCommand);
                           }),
               After(kHoldMs),
               When([] { return true; },
                    [&] {
                        dialogsWhileHeld = dialogs.size();
                        Click(sheet, IDCANCEL);
                    })});
    ASSERT_TRUE(PumpUntil([&] { return host.freed; }, 90000)) << "the script never ended";
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(dialogsWhileHeld, 1u) << "one sheet, no help list over it";
    EXPECT_EQ(host.helpResults, std::vector<int>{-1});
    EXPECT_EQ(host.QueriesUnderDialog(), 0) << "no script step under the sheet";
    EXPECT_EQ(host.ResultsUnderDialog(), 0);
    const std::vector<int> texts = host.TextsWhere(false);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), 8511) << "script 0 from its start, after the sheet";
}

TEST_F(EarlyHostTest, ShowEndingUnderTheSheetWaitsForIt) {
    ASSERT_TRUE(host.Open("slide 30 Longer|show\nend 1\n")); // it plays on under the sheet
    bool begunUnderSheet = true;
    Menu(kOrderSheetCommand);
    User user({When([&] { return host.PageOneShows(); }, [] {}),
               After(4000), // past page 1's three seconds
               When([] { return true; },
                    [&] {
                        begunUnderSheet = host.scriptBegun;
                        Click(TopDialog(), IDCANCEL);
                    })});
    ASSERT_TRUE(PumpUntil([&] { return host.freed; }, 60000));
    EXPECT_TRUE(user.Done());
    EXPECT_FALSE(begunUnderSheet) << "page 1 timed out under the sheet";
    EXPECT_EQ(host.QueriesUnderDialog(), 0);
    ASSERT_FALSE(host.TextsWhere(false).empty());
    EXPECT_EQ(host.TextsWhere(false).front(), 8511);
}

TEST_F(EarlyHostTest, HelpListHeldThenOnlyTheChosenTopicRuns) {
    ASSERT_TRUE(host.Open(kShortShow));
    // Held past the page's time-out, a step's pause and a retry window.
    User user({OnPageOne(kHelpMenuCommand), WithDialogs(1, [] {}), After(kHoldMs),
               When([] { return true; },
                    [] {
                        SendDlgItemMessageA(TopDialog(), 5371, LB_SETCURSEL, 0, 0);
                        Click(TopDialog(), IDOK);
                    })});
    ASSERT_TRUE(PumpUntil([&] { return host.freed; }, 90000));
    EXPECT_TRUE(user.Done());
    // Wine hands out WM_TIMER only when nothing else waits: on a busy machine
    // a modal loop may see few ticks, but it must see some.
    EXPECT_GT(host.TicksUnderDialog(), 0) << "the host ticked under the list";
    EXPECT_EQ(host.QueriesUnderDialog(), 0);
    ASSERT_EQ(host.helpResults.size(), 1u);
    EXPECT_GT(host.helpResults[0], 0) << "a topic was chosen";
    const std::vector<int> texts = host.TextsWhere(false);
    ASSERT_FALSE(texts.empty());
    EXPECT_GE(texts.front(), 13001) << "the topic's title first";
    for (int id : texts)
        EXPECT_FALSE(id >= 8511 && id <= 8517) << "a step of script 0 ran: " << id;
}

TEST_F(EarlyHostTest, EndInsideTheSheetClosesItAndUnloads) {
    ASSERT_TRUE(host.Open(kShortShow));
    HWND sheet = nullptr;
    // The user ends the demonstration from the host's menu, under the entry.
    User user({OnPageOne(kOrderSheetCommand),
               WithDialogs(1, [&] { TypeQuantity(sheet = TopDialog()); }),
               WithDialogs(2, [this] { Menu(kEndCommand); })});
    ASSERT_TRUE(PumpUntil([&] { return host.Unloaded(); }, 30000));
    EXPECT_TRUE(user.Done());
    EXPECT_FALSE(host.scriptBegun);
    EXPECT_TRUE(dialogs.empty()) << "the module's dialogs closed with the demonstration";
    EXPECT_FALSE(IsWindow(sheet));
}

TEST_F(EarlyHostTest, ClosingTheHostWindowDuringTheShowReleasesTheLibraryLast) {
    SetEnvironmentVariableA("PAVLO_LOG", "pavlo-close.log");
    DeleteFileA("pavlo-close.log");
    ASSERT_TRUE(host.Open("slide 600 Long|show\nend 1\n"));
    PumpMessages(300);
    DestroyWindow(host.window); // the show window and the library's go with it
    PumpMessages(300);
    const std::vector<std::string> calls = SplitLines(ReadWholeFile("pavlo-close.log"));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "detach") << "released while its windows lived";
    // The host ends after its loop: DemoFree and the unload.
    host.DemoFree();
    host.freed = true;
    FreeLibrary(host.module);
    host.module = nullptr;
    SetEnvironmentVariableA("PAVLO_LOG", nullptr);
}

// ExitProcess with the module loaded, as hosts end: run in a child process.
TEST(EarlyHostExit, ExitsCleanlyDuringTheShowAndTheScript) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    for (const char* when : {"show", "script"}) {
        SetEnvironmentVariableA("EARLY_HOST_EXIT", when);
        std::string command = std::string("\"") + self + "\" --gtest_filter=EarlyHostExit.Child";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << when;
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u) << "exit during the " << when;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("EARLY_HOST_EXIT", nullptr);
}

TEST(EarlyHostExit, Child) {
    char when[16] = "";
    if (!GetEnvironmentVariableA("EARLY_HOST_EXIT", when, sizeof when))
        GTEST_SKIP() << "run by ExitsCleanlyDuringTheShowAndTheScript";
    AddVectoredExceptionHandler(1, CountAccessViolations);
    EarlyHost host;
    if (std::string(when) == "show") {
        host.Open("slide 600 Long|show\nend 1\n");
        host.DllFPError(1); // a trap the host never takes back
        PumpMessages(500);
    } else {
        host.Open(kShortShow);
        PumpUntil([&] { return host.scriptBegun; }, 15000);
        PumpMessages(500);
    }
    exiting = true;
    ExitProcess(accessViolations == 0 ? 0 : 98);
}

} // namespace
