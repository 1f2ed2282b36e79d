// A host made only of what docs/integration.md shows: its dialog templates
// are the guide's resource fragments and its calls go through the guide's
// prototypes, both extracted from the guide at build time. It loads
// brenk_C.dll as a host does, works the module's dialogs from those templates
// the way a user would, and unloads the module the way the guide says.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "guide_prototypes.h"
#include "test_support.h"

namespace {

constexpr int kSheetTemplate = 4400;
constexpr int kEntryTemplate = 4414;
constexpr int kHelpTemplate = 4420;
constexpr int kPrintingTemplate = 3031;
constexpr int kItemTexts = 4406;
constexpr int kQuantities = 4404;
constexpr int kHelpList = 5371;

template <typename Function> Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The module, bound by name through the guide's prototypes.
struct GuideModule {
    HMODULE module = LoadLibraryA((ProgramFolder() + "brenk_C.dll").c_str());
    decltype(&DemoInit) demoInit = Export<decltype(&DemoInit)>(module, "DemoInit");
    decltype(&DemoFree) demoFree = Export<decltype(&DemoFree)>(module, "DemoFree");
    decltype(&DemoCommand) demoCommand = Export<decltype(&DemoCommand)>(module, "DemoCommand");
    decltype(&DemoHelp) demoHelp = Export<decltype(&DemoHelp)>(module, "DemoHelp");
    decltype(&PrintDlgProc) printDlgProc = Export<decltype(&PrintDlgProc)>(module, "PrintDlgProc");

    bool Complete() const {
        return demoInit && demoFree && demoCommand && demoHelp && printDlgProc;
    }

    // Section 1 of the guide: show window, DemoFree, window class, library.
    void Unload(HWND host) {
        while (HWND show = FindWindowExA(host, nullptr, "PavloWCl", nullptr))
            DestroyWindow(show);
        demoFree();
        UnregisterClassA("PavloWCl", GetModuleHandleA(nullptr));
        FreeLibrary(module);
        module = nullptr;
    }
};

// Steps run one per timer tick inside the module's modal loops; a step that
// returns false is tried again on the next tick.
using Step = std::function<bool()>;
struct StepRun {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
    bool busy = false;
    bool timedOut = false;
};
StepRun* running = nullptr;
constexpr int kTickLimit = 500; // ten seconds

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// After the last step the dialog must have closed; whatever is still open
// when time runs out is cancelled, so a failing test ends.
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (!running || running->busy)
        return;
    running->busy = true;
    if (++running->ticks > kTickLimit) {
        running->timedOut = true;
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    } else if (running->next < running->steps.size() && running->steps[running->next]()) {
        ++running->next;
    }
    running->busy = false;
}

// Runs `call` (which opens a modal dialog) with the steps driving it.
template <typename Call> auto WithSteps(std::vector<Step> steps, Call call) {
    StepRun run{std::move(steps)};
    running = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, RunNextStep);
    const auto result = call();
    KillTimer(nullptr, timer);
    running = nullptr;
    EXPECT_EQ(run.next, run.steps.size()) << "stopped at step " << run.next;
    EXPECT_FALSE(run.timedOut) << "the dialog had to be cancelled";
    return result;
}

Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}

struct DialogSearch {
    int control;
    HWND found;
};

BOOL CALLBACK LookForDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (IsWindowVisible(window) && GetDlgItem(window, search->control))
        search->found = window;
    return search->found == nullptr;
}

// The visible dialog of this thread holding control `id`, or null.
HWND DialogWith(int id) {
    DialogSearch search{id, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), LookForDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ListLine(HWND list, int line) {
    char text[256] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
    const std::string all = text;
    const size_t first = all.find_first_not_of(' ');
    return first == std::string::npos ? "" : all.substr(first);
}

void Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class GuideHost : public ::testing::Test {
  protected:
    TestHostWindow* host = nullptr;
    GuideModule* module = nullptr;

    void SetUp() override {
        // One short slide, so the show is over soon whatever the test does.
        WriteWholeFile("script_c.mst", "slide 1 Guide|host\nend 1\n");
        hostTexts[23358] = "Order sheet";
        hostTexts[23360] = "Quantity";
        hostTexts[23359] = "Print";
        hostTexts[23099] = "Printing the order";
        hostTexts[23098] = "Stop";
        for (long id : {13001, 13011, 13021, 13031})
            hostTexts[id] = "Topic " + std::to_string(id);
        host = new TestHostWindow(700, 560);
        module = new GuideModule;
        ASSERT_NE(module->module, nullptr);
        ASSERT_TRUE(module->Complete());
    }
    void TearDown() override {
        if (module->module)
            module->Unload(host->handle());
        delete module;
        delete host;
    }
    int Open() {
        return module->demoInit(host->handle(), GetModuleHandleA(nullptr), TestHostText,
                                ProgramFolder().c_str(), -1);
    }
};

// Template 4400 with 4414 over it: a digit typed in a list opens the entry
// (the lists' keyboard-input style), the entry's field takes the focus and
// the typed rest, and the sheet shows the new quantity.
TEST_F(GuideHost, OrderSheetAndQuantityEntryWorkFromTheGuidesTemplates) {
    ASSERT_EQ(Open(), 1);
    HWND sheet = nullptr;
    const int result = WithSteps(
        {[&] { return (sheet = DialogWith(kItemTexts)) != nullptr; }, Do([&] {
             HWND list = GetDlgItem(sheet, kItemTexts);
             EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 30) << "the sample catalogue";
             EXPECT_EQ(Text(sheet), "Order sheet");
             EXPECT_EQ(Text(GetDlgItem(sheet, 31123)), "Quantity");
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 1))) << "nothing ordered yet";
             RECT client;
             GetClientRect(list, &client);
             EXPECT_EQ(client.bottom / SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 11)
                 << "eleven whole lines";
             SendMessageA(list, LB_SETCURSEL, 2, 0);
             SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(kItemTexts, LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(list));
             PostMessageA(list, WM_KEYDOWN, '3', 1);
         }),
         [] { return DialogWith(kEntryTemplate) != nullptr; },
         [] { return Text(GetDlgItem(DialogWith(kEntryTemplate), kEntryTemplate)) == "3"; }, Do([] {
             HWND entry = DialogWith(kEntryTemplate);
             PostMessageA(GetDlgItem(entry, kEntryTemplate), WM_CHAR, '0', 1);
             Click(entry, IDOK);
         }),
         [] { return DialogWith(kEntryTemplate) == nullptr; }, Do([&] {
             EXPECT_EQ(ListLine(GetDlgItem(sheet, kQuantities), 2), "30");
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, 1))) << "Print, now that 30 are ordered";
             Click(sheet, IDCANCEL);
         })},
        [&] { return module->demoCommand(1906, 0); });
    EXPECT_EQ(result, 0);
}

// Template 4420: a double click on a line chooses it (the list's notify
// style), and the list sits in the host window's lower right corner.
TEST_F(GuideHost, HelpListWorksFromTheGuidesTemplate) {
    RECT dialogRect{};
    const int result = WithSteps(
        {[] { return DialogWith(kHelpList) != nullptr; }, Do([&] {
             HWND dialog = DialogWith(kHelpList);
             HWND list = GetDlgItem(dialog, kHelpList);
             GetWindowRect(dialog, &dialogRect);
             EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
             EXPECT_EQ(ListLine(list, 1), "Topic 13011");
             RECT line;
             SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
             const LPARAM at = MAKELPARAM(line.left + 5, (line.top + line.bottom) / 2);
             PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
             PostMessageA(list, WM_LBUTTONUP, 0, at);
             PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
             PostMessageA(list, WM_LBUTTONUP, 0, at);
         })},
        [&] {
            return module->demoHelp(host->handle(), GetModuleHandleA(nullptr), TestHostText, 4);
        });
    EXPECT_EQ(result, 3) << "the second line is topic 3";
    RECT hostRect;
    GetWindowRect(host->handle(), &hostRect);
    EXPECT_EQ(dialogRect.right, hostRect.right - 10);
    EXPECT_EQ(dialogRect.bottom, hostRect.bottom - 10);
}

// Template 3031 with the module's printing procedure: its labels from the
// host, the page progress from command 7100.
TEST_F(GuideHost, PrintingDialogWorksFromTheGuidesTemplate) {
    ASSERT_EQ(Open(), 1);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPrintingTemplate),
                                     host->handle(), module->printDlgProc, kPrintingTemplate);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(GetDlgItem(dialog, 31236)), "Printing the order");
    EXPECT_EQ(Text(GetDlgItem(dialog, 1)), "Stop");
    SendMessageA(dialog, WM_COMMAND, 7100, MAKELPARAM(2, 3));
    EXPECT_EQ(Text(GetDlgItem(dialog, 3033)), "2 / 3");
    EXPECT_EQ(SendDlgItemMessageA(dialog, 3032, PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 3032, PBM_GETRANGE, FALSE, 0), 3);
    DestroyWindow(dialog);
}

// --- The guide's templates against the demo host's -------------------------

struct BuiltControl {
    std::string className;
    LONG style; // the bits the module's behaviour depends on
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

LONG RelevantStyle(const std::string& className, LONG style) {
    if (className == "listbox")
        return style & (LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                        LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL |
                        LBS_EXTENDEDSEL | WS_VSCROLL);
    if (className == "edit")
        return style & (ES_MULTILINE | ES_WANTRETURN | ES_READONLY);
    if (className == "scrollbar")
        return style & SBS_VERT;
    if (className == "button")
        return style & BS_TYPEMASK;
    if (className == "static")
        return style & SS_NOTIFY;
    return 0;
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Control id -> class and relevant style of template `id` in `instance`.
std::map<int, BuiltControl> BuiltTemplate(HINSTANCE instance, int id) {
    std::map<int, BuiltControl> controls;
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(id), nullptr, PlainDialog, 0);
    EXPECT_NE(dialog, nullptr) << "template " << id;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int control = GetDlgCtrlID(child);
        if (control == -1 || control == 0xFFFF)
            continue;
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        const std::string className = Lower(name);
        controls[control] = {className, RelevantStyle(className, GetWindowLongA(child, GWL_STYLE))};
    }
    DestroyWindow(dialog);
    return controls;
}

TEST_F(GuideHost, GuideTemplatesAgreeWithTheDemoHosts) {
    HMODULE demoHost = LoadLibraryExA((ProgramFolder() + "demohost.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(demoHost, nullptr) << "demohost.exe must be built beside the tests";
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    for (int id : {kSheetTemplate, kEntryTemplate, kHelpTemplate, kPrintingTemplate}) {
        const auto guide = BuiltTemplate(GetModuleHandleA(nullptr), id);
        const auto demo = BuiltTemplate(demoHost, id);
        for (const auto& entry : demo)
            EXPECT_TRUE(guide.count(entry.first))
                << "template " << id << ": the demo host has control " << entry.first
                << ", the guide does not";
        for (const auto& entry : guide) {
            const auto found = demo.find(entry.first);
            if (found == demo.end()) {
                ADD_FAILURE() << "template " << id << ": the guide has control " << entry.first
                              << ", the demo host does not";
                continue;
            }
            EXPECT_EQ(entry.second.className, found->second.className)
                << "template " << id << ", control " << entry.first;
            EXPECT_EQ(entry.second.style, found->second.style)
                << "template " << id << ", control " << entry.first << ": styles the module uses";
        }
    }
    FreeLibrary(demoHost);
}

} // namespace
