#include "host/demo_control.h"

#include <string>
#include <vector>

#include "host/host_app.h"
#include "host/main_window.h"
#include "host/module_messages.h"
#include "host/order_filler.h"
#include "host/screen_capture.h"

namespace {

// Steps are due on the millisecond; a fine tick keeps them close to it.
constexpr UINT kTickIntervalMs = 20;
constexpr unsigned long kPeriodicShotMs = 2000;

const ModuleExports& Module() {
    return App().module.Exports();
}

// Marks a call into the module, so nothing re-enters it meanwhile.
class ModuleCall {
  public:
    ModuleCall() { ++App().moduleCallDepth; }
    ~ModuleCall() { --App().moduleCallDepth; }
    ModuleCall(const ModuleCall&) = delete;
    ModuleCall& operator=(const ModuleCall&) = delete;
};

void TakeDueShots() {
    HostApp& app = App();
    for (const std::string& fileName : app.shots.TakeDue(app.log.ElapsedMilliseconds())) {
        std::string path = WithTrailingSeparator(app.options.screenshotDirectory) + fileName;
        bool saved = CaptureClientArea(app.window, path);
        app.log.Writef("screenshot %s %s", fileName.c_str(), saved ? "saved" : "failed");
    }
}

void RequestShot(const std::string& label) {
    RequestScreenshot(label, false);
}

// The lines the module put into its help list, for the log.
void LogHelpList(HWND dialog) {
    HWND list = GetDlgItem(dialog, 5371);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count && i < 100; ++i) {
        char line[160] = {};
        if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 150) {
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        }
        App().log.Writef("help line %ld \"%s\"%s", static_cast<long>(i), line,
                         i == selected ? " selected" : "");
    }
}

// An unattended run would otherwise wait for the script to end by itself.
void StartScriptLimit() {
    HostApp& app = App();
    const int seconds = app.options.endScriptAfterSeconds;
    if (seconds > 0) {
        SetTimer(app.window, kScriptLimitTimerId, SecondsAsTimerMilliseconds(seconds), nullptr);
        app.log.Writef("script phase limit: ending in %d s", seconds);
    }
}

void ApplyChange(const ProgressChange& change) {
    if (change.scriptBegan) {
        // The module stops painting its page; what it left there must go.
        RepaintPageArea();
        StartScriptLimit();
    }
    if (!change.shotLabel.empty()) {
        RequestShot(change.shotLabel);
    }
    if (change.ended) {
        EndDemonstration();
    }
    MaybeOpenOrderSheet();
    RefreshHostWindow();
}

// Commands that arrived during a module call go back into the queue in their order.
void ReplayDeferredCommands() {
    HostApp& app = App();
    if (app.moduleCallDepth > 0) {
        return;
    }
    while (!app.deferredCommands.empty()) {
        std::pair<WPARAM, LPARAM> command = app.deferredCommands.front();
        app.deferredCommands.pop_front();
        PostMessageA(app.window, WM_COMMAND, command.first, command.second);
    }
}

void FreeModuleSession() {
    HostApp& app = App();
    if (!app.moduleSessionNeedsFree || app.moduleCallDepth > 0 || !app.module.IsLoaded()) {
        return;
    }
    {
        ModuleCall call;
        Module().demoFree();
    }
    app.moduleSessionNeedsFree = false;
    app.log.Write("DemoFree");
}

// End commands a show that ended by itself posted must not reach the next
// session.
void DropQueuedDemoCommands() {
    HostApp& app = App();
    std::vector<MSG> others;
    MSG message;
    while (PeekMessageA(&message, app.window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        if (IsDemoCommand(LOWORD(message.wParam))) {
            app.log.Writef("queued command %d dropped", LOWORD(message.wParam));
        } else {
            others.push_back(message);
        }
    }
    for (const MSG& other : others) {
        PostMessageA(other.hwnd, other.message, other.wParam, other.lParam);
    }
}

// The module keeps its session open for as long as it stays loaded; a new
// demonstration needs a fresh copy.
bool ReloadModule() {
    HostApp& app = App();
    // DemoFree ends a show still playing; the unload takes back its class.
    FreeModuleSession();
    DropQueuedDemoCommands();
    std::string path = app.module.Path();
    app.module.Unload();
    std::string problem;
    if (!app.module.Load(path, problem)) {
        app.log.Writef("module reload failed: %s", problem.c_str());
        return false;
    }
    app.moduleSessionUsed = false;
    app.log.Write("module reloaded");
    return true;
}

void StartTicking() {
    HostApp& app = App();
    app.lastTickResult = kResultGoOn;
    app.lastPeriodicShot = app.log.ElapsedMilliseconds();
    SetTimer(app.window, kTickTimerId, kTickIntervalMs, nullptr);
}

} // namespace

bool StartDemonstration() {
    HostApp& app = App();
    if (app.progress.Running() || app.moduleCallDepth > 0) {
        return true;
    }
    if (app.moduleSessionUsed && !ReloadModule()) {
        return false;
    }
    if (!app.module.IsLoaded()) {
        return false;
    }
    app.panel = TextPanel{};
    app.instrument = Instrument{};
    InvalidateRect(app.window, nullptr, TRUE);
    int result;
    {
        ModuleCall call;
        result = Module().demoInit(app.window, app.instance, HostTextForModule,
                                   app.catalogueDirectory.c_str(), app.options.language);
    }
    app.moduleSessionUsed = true;
    app.moduleSessionNeedsFree = true;
    app.log.Writef("DemoInit language %d catalogue \"%s\" -> %d", app.options.language,
                   app.catalogueDirectory.c_str(), result);
    if (result == 0) {
        // What the module made before it failed stays with it until DemoFree.
        FreeModuleSession();
        RefreshHostWindow();
        return false;
    }
    ApplyChange(app.progress.Started());
    StartTicking();
    ReplayDeferredCommands();
    return true;
}

void RestartDemonstration() {
    HostApp& app = App();
    if (!app.progress.Running() || app.moduleCallDepth > 0) {
        return;
    }
    int result;
    {
        ModuleCall call;
        result = Module().demoInit(nullptr, app.instance, HostTextForModule,
                                   app.catalogueDirectory.c_str(), app.options.language);
    }
    app.log.Writef("DemoInit restart language %d -> %d", app.options.language, result);
    if (result != 0) {
        ApplyChange(app.progress.Restarted());
    }
    ReplayDeferredCommands();
}

void ShowHelpTopics(bool chooseUnattended) {
    HostApp& app = App();
    if (Module().demoHelp == nullptr || app.moduleCallDepth > 0 || app.progress.Running()) {
        return;
    }
    if (app.moduleSessionUsed && !ReloadModule()) {
        return;
    }
    app.panel = TextPanel{};
    app.instrument = Instrument{};
    InvalidateRect(app.window, nullptr, TRUE);
    const int preselectedTopic = app.options.helpTopic >= 0 ? app.options.helpTopic : 1;
    if (chooseUnattended) {
        SetTimer(app.window, kHelpChoiceTimerId, 1500, nullptr);
    }
    int result;
    {
        ModuleCall call;
        result = Module().demoHelp(app.window, app.instance, HostTextForModule, preselectedTopic);
    }
    app.moduleSessionUsed = true;
    app.moduleSessionNeedsFree = true;
    app.log.Writef("DemoHelp %d -> %d", preselectedTopic, result);
    if (result >= 0) {
        ApplyChange(app.progress.HelpStarted());
        StartTicking();
    } else if (chooseUnattended && app.options.exitWhenDone) {
        app.closeRequested = true;
        PostMessageA(app.window, WM_CLOSE, 0, 0);
    }
    ReplayDeferredCommands();
    RefreshHostWindow();
}

void ChooseHelpTopic() {
    HostApp& app = App();
    HWND dialog = GetLastActivePopup(app.window);
    if (dialog == app.window || dialog == nullptr) {
        app.log.Write("help list not open");
        return;
    }
    LogHelpList(dialog);
    RequestScreenshot("help-list", true);
    app.log.Write("help list: OK");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void PassCommand(WPARAM wParam, LPARAM lParam) {
    HostApp& app = App();
    const int command = LOWORD(wParam);
    if (!app.progress.Running()) {
        app.log.Writef("command %d ignored: no demonstration running", command);
        return;
    }
    if (app.moduleCallDepth > 0) {
        app.deferredCommands.emplace_back(wParam, lParam);
        app.log.Writef("command %d deferred", command);
        return;
    }
    int result;
    {
        ModuleCall call;
        result = Module().demoCommand(command, lParam);
    }
    app.log.Writef("DemoCommand %d %ld -> %d", command, static_cast<long>(lParam), result);
    ApplyChange(app.progress.CommandResult(command, result));
    ReplayDeferredCommands();
}

void TickDemonstration() {
    HostApp& app = App();
    if (!app.progress.Running() || app.moduleCallDepth > 0) {
        return;
    }
    int result;
    {
        ModuleCall call;
        result = Module().demoTick(app.window);
    }
    // Ticks run 20 times a second: log what is news, not every "go on".
    if (result != kResultGoOn && result != app.lastTickResult) {
        app.log.Writef("DemoTick -> %d", result);
    }
    app.lastTickResult = result;
    ApplyChange(app.progress.TickResult(result));
    ReplayDeferredCommands();
}

void EndScriptAtLimit() {
    HostApp& app = App();
    KillTimer(app.window, kScriptLimitTimerId);
    if (app.progress.Phase() != DemoPhase::Script) {
        return;
    }
    app.log.Write("script phase limit reached: ending");
    // Posted like the menu's End, so a module call in progress defers it too.
    PostMessageA(app.window, WM_COMMAND, static_cast<WPARAM>(kCommandEnd), 0);
}

void EndDemonstration() {
    HostApp& app = App();
    // Ended from outside (End, a limit): a dialog the script had open goes too.
    if (app.openDialog != nullptr) {
        EndDialog(app.openDialog, IDCANCEL);
    }
    KillTimer(app.window, kTickTimerId);
    KillTimer(app.window, kScriptLimitTimerId);
    FreeModuleSession(); // ends a slide show still playing
    app.deferredCommands.clear();
    app.log.Write("demonstration over");
    RepaintPageArea(); // without a session the module paints no page
    RefreshHostWindow();
}

void DoHousekeeping() {
    HostApp& app = App();
    const unsigned long now = app.log.ElapsedMilliseconds();
    // The slide show changes by itself; the rest is captured at its events.
    const bool showRunning = app.progress.Phase() == DemoPhase::Pages && app.progress.Page() == 0;
    if (showRunning && now - app.lastPeriodicShot >= kPeriodicShotMs) {
        app.lastPeriodicShot = now;
        RequestShot(app.progress.PeriodicLabel());
    }
    TakeDueShots();
    if (app.options.exitWhenDone && app.progress.Phase() == DemoPhase::Over && app.shots.Idle() &&
        !app.closeRequested) {
        app.closeRequested = true;
        app.log.Write("closing: demonstration over");
        PostMessageA(app.window, WM_CLOSE, 0, 0);
    }
}

void RequestScreenshot(const std::string& label, bool now) {
    HostApp& app = App();
    if (app.options.screenshotDirectory.empty() || app.window == nullptr) {
        return;
    }
    const unsigned long elapsed = app.log.ElapsedMilliseconds();
    std::string fileName =
        now ? app.shots.RequestNow(label, elapsed) : app.shots.Request(label, elapsed);
    app.log.Writef("screenshot %s requested", fileName.c_str());
    if (now) {
        UpdateWindow(app.window);
        if (app.openDialog != nullptr) {
            UpdateWindow(app.openDialog);
        }
        TakeDueShots();
    }
}

void ShutdownDemonstration() {
    KillTimer(App().window, kTickTimerId);
    KillTimer(App().window, kScriptLimitTimerId);
    FreeModuleSession();
}
