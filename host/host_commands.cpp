#include "host/host_commands.h"

#include "host/command_ids.h"
#include "host/demo_control.h"
#include "host/host_app.h"
#include "host/host_dialogs.h"
#include "host/main_window.h"
#include "host/module_messages.h"

namespace {

struct ToolbarButton {
    int id;
    const char* label;
};

const ToolbarButton kToolbar[] = {
    {CMD_CONNECT, "Connect"},   {CMD_START, "Start"}, {CMD_STOP, "Stop"},
    {CMD_RECORD, "Record"},     {CMD_SAVE, "Save"},   {CMD_METER, "Meter"},
    {CMD_TABLE, "Table"},       {CMD_GRAPH, "Graph"}, {CMD_SETTINGS, "Settings"},
    {CMD_READINGS, "Readings"}, {CMD_RANGE, "Range"}, {CMD_FORMULA, "Formula"},
    {CMD_PRINT, "Print"},
};

constexpr int kButtonWidth = 58;
constexpr int kButtonGap = 3;

Instrument& Meter() {
    return App().instrument;
}

unsigned long Now() {
    return App().log.ElapsedMilliseconds();
}

bool CommandEnabled(int id) {
    switch (id) {
    case CMD_RECORD:
        return Meter().CanRecord();
    case CMD_SAVE:
        return Meter().CanSave();
    default:
        return true;
    }
}

void Stop(HWND window) {
    Instrument& meter = Meter();
    if (!meter.NeedsStopConfirmation()) {
        meter.Stop();
        App().log.Write("measurement stopped");
        return;
    }
    const INT_PTR answer = RunHostDialog(window, IDD_CONFIRM_STOP);
    if (answer == IDCANCEL)
        return;
    if (answer == IDYES)
        meter.DiscardRecording();
    meter.Stop();
    App().log.Writef("measurement stopped, recording %s", answer == IDYES ? "discarded" : "kept");
}

void ShowView(ViewMode view, const char* name) {
    Meter().view = view;
    App().log.Writef("view %s", name);
}

void Run(HWND window, int id) {
    switch (id) {
    case CMD_CONNECT:
        Meter().Connect(Now());
        App().log.Write("instrument connected");
        break;
    case CMD_START:
        Meter().Start(Now());
        App().log.Write("measurement started");
        break;
    case CMD_STOP:
        Stop(window);
        break;
    case CMD_METER:
        ShowView(ViewMode::Meter, "meter");
        break;
    case CMD_TABLE:
        ShowView(ViewMode::Table, "table");
        break;
    case CMD_GRAPH:
        ShowView(ViewMode::Graph, "graph");
        break;
    case CMD_RECORD:
        RunHostDialog(window, IDD_RECORD);
        break;
    case CMD_SAVE:
        RunHostDialog(window, IDD_SAVE);
        break;
    case CMD_PRINT:
        RunHostDialog(window, IDD_PRINT);
        break;
    case CMD_SETTINGS:
        RunHostDialog(window, IDD_SETTINGS);
        break;
    case CMD_READINGS:
        RunHostDialog(window, IDD_READINGS);
        break;
    case CMD_RANGE:
        RunHostDialog(window, IDD_RANGE);
        break;
    case CMD_FORMULA:
        RunHostDialog(window, IDD_FORMULA);
        break;
    default:
        break;
    }
}

bool IsHostCommand(int id) {
    for (const ToolbarButton& button : kToolbar)
        if (button.id == id)
            return true;
    return false;
}

} // namespace

void CreateToolbar(HWND window) {
    int x = kButtonGap;
    for (const ToolbarButton& button : kToolbar) {
        CreateWindowExA(0, "BUTTON", button.label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 2,
                        kButtonWidth, kStripHeight - 5, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), App().instance,
                        nullptr);
        x += kButtonWidth + kButtonGap;
    }
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ToolbarButton& button : kToolbar)
        SendDlgItemMessageA(window, button.id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool RefreshInstrument() {
    const bool changed = Meter().Advance(Now());
    HWND window = App().window;
    if (window == nullptr)
        return changed;
    HMENU menu = GetMenu(window);
    for (const ToolbarButton& button : kToolbar) {
        const bool enabled = CommandEnabled(button.id);
        HWND control = GetDlgItem(window, button.id);
        if (control != nullptr && (IsWindowEnabled(control) != FALSE) != enabled)
            EnableWindow(control, enabled);
        if (menu != nullptr)
            EnableMenuItem(menu, static_cast<UINT>(button.id),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    return changed;
}

bool HandleHostCommand(HWND window, int id) {
    if (!IsHostCommand(id))
        return false;
    HostApp& app = App();
    RefreshInstrument();
    if (app.openDialog != nullptr || !CommandEnabled(id)) {
        app.log.Writef("command %d ignored: %s", id,
                       app.openDialog != nullptr ? "a dialog is open" : "not available now");
        return true;
    }
    app.log.Writef("command %d", id);
    Run(window, id);
    RefreshInstrument();
    RepaintPageArea();
    return true;
}

LRESULT AnswerReadyQuery(int command, LPARAM param) {
    HostApp& app = App();
    const ReadyQuery query = DecodeReadyQuery(static_cast<unsigned long>(param));
    RefreshInstrument();
    HWND front = GetLastActivePopup(app.window);
    HWND owner = query.mainWindow ? app.window : (front != app.window ? front : nullptr);
    HWND control = owner != nullptr ? GetDlgItem(owner, static_cast<int>(query.control)) : nullptr;
    const bool ready = control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
    app.log.Writef("ready %d control %u %s -> %d", command, query.control,
                   query.mainWindow ? "main" : "popup", ready ? 1 : 0);
    return ready ? 1 : 0;
}

void ActOnKey(unsigned keyCode) {
    Instrument& meter = Meter();
    meter.MoveCursor(static_cast<int>(keyCode), meter.FirstVisible());
    App().log.Writef("key %u: reading %d of %u", keyCode, meter.cursor + 1,
                     static_cast<unsigned>(meter.Shown().size()));
    RepaintPageArea();
}
