#include "host/main_window.h"

#include "host/demo_control.h"
#include "host/host_app.h"
#include "host/host_commands.h"
#include "host/measurement_view.h"
#include "host/menu_ids.h"
#include "host/module_messages.h"
#include "host/order_filler.h"
#include "host/text_table.h"

namespace {

const char kMainWindowClass[] = "DemoHostWindow";
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

RECT TopStrip(const RECT& client) {
    return RECT{0, 0, client.right, kStripHeight};
}

RECT BottomStrip(const RECT& client) {
    return RECT{0, client.bottom - kStripHeight, client.right, client.bottom};
}

RECT PageArea(const RECT& client) {
    return RECT{0, kStripHeight, client.right, client.bottom - kStripHeight};
}

RECT PanelArea(const RECT& client) {
    RECT page = PageArea(client);
    return RECT{0, page.bottom - kPanelHeight, client.right, page.bottom};
}

RECT ViewArea(const RECT& client) {
    RECT page = PageArea(client);
    return RECT{0, page.top, client.right, page.bottom - kPanelHeight};
}

void DrawStripText(HDC dc, RECT area, const std::string& text, int colourIndex) {
    InflateRect(&area, -8, 0);
    SetTextColor(dc, GetSysColor(colourIndex));
    DrawTextA(dc, text.c_str(), -1, &area,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// Stock font and system brushes only: nothing here needs deleting. The
// toolbar's buttons cover most of the top strip.
void PaintStrips(HDC dc, const RECT& client) {
    HostApp& app = App();
    RECT top = TopStrip(client);
    RECT bottom = BottomStrip(client);
    FillRect(dc, &top, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNFACE));
    RECT topEdge{0, kStripHeight - 1, client.right, kStripHeight};
    RECT bottomEdge{0, bottom.top, client.right, bottom.top + 1};
    FillRect(dc, &topEdge, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &bottomEdge, GetSysColorBrush(COLOR_BTNSHADOW));

    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = GetTextColor(dc);
    DrawStripText(dc, bottom, app.progress.StatusText(), COLOR_BTNTEXT);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

// While the pages run the module paints them; afterwards the host shows its
// measurement and the texts the script has it show.
bool ModuleShowsPages() {
    const DemoPhase phase = App().progress.Phase();
    return phase == DemoPhase::Pages || phase == DemoPhase::PagesOver;
}

// The module centres its page in an area it counts from the client's top
// edge and ending a text row above the bottom strip; moved down by the top
// strip, the page sits centred between the strips, where the slide show ran.
void PaintModulePage(HDC dc) {
    HostApp& app = App();
    if (!app.module.IsLoaded()) {
        return;
    }
    POINT previousOrigin;
    SetViewportOrgEx(dc, 0, kStripHeight, &previousOrigin);
    app.module.Exports().demoPaint(dc);
    SetViewportOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

void OnPaint(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    // The module invalidates the rectangles it drew where the page would lie
    // unmoved, so every paint redraws the whole page area.
    RECT pageArea = PageArea(client);
    InvalidateRect(window, &pageArea, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr) {
        PaintStrips(dc, client);
        if (ModuleShowsPages()) {
            FillRect(dc, &pageArea, GetSysColorBrush(COLOR_APPWORKSPACE));
            PaintModulePage(dc);
        } else {
            PaintMeasurementView(dc, ViewArea(client), App().instrument);
            PaintTextPanel(dc, PanelArea(client), App().panel);
        }
    }
    EndPaint(window, &paint);
}

void InvalidateStrip(HWND window, bool top) {
    RECT client;
    GetClientRect(window, &client);
    RECT strip = top ? TopStrip(client) : BottomStrip(client);
    InvalidateRect(window, &strip, FALSE);
}

// 1908: a script step has a text shown.
void ShowModuleText(LPARAM param) {
    HostApp& app = App();
    TextRequest request = DecodeTextRequest(static_cast<unsigned long>(param));
    const char* text = HostText(request.textId);
    ApplyModuleText(app.panel, request.textId, request.mode, text);
    app.log.Writef("text %u mode %d \"%s\"", request.textId, request.mode,
                   text != nullptr ? text : "");
    RepaintTextPanel();
    RequestScreenshot("text-" + std::to_string(request.textId), false);
}

void ReportStartFailure(HWND window, bool automatic) {
    HostApp& app = App();
    app.exitCode = kExitModuleFailed;
    app.log.Write("start failed");
    if (!app.options.exitWhenDone) {
        MessageBoxA(window, "The demonstration could not be started (DemoInit failed).",
                    app.title.c_str(), MB_OK | MB_ICONERROR);
    }
    if (automatic || app.options.exitWhenDone) {
        app.closeRequested = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

void Start(HWND window, bool automatic) {
    App().log.Write(automatic ? "start (automatic)" : "menu Start");
    if (StartDemonstration()) {
        App().exitCode = kExitNormal;
    } else {
        ReportStartFailure(window, automatic);
    }
}

void PostFromMenu(HWND window, const char* name, int command) {
    App().log.Writef("menu %s", name);
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

bool HandleMenuCommand(HWND window, int id) {
    switch (id) {
    case IDM_START:
        Start(window, false);
        return true;
    case IDM_NEXT:
        PostFromMenu(window, "Next", kCommandNext);
        return true;
    case IDM_PREVIOUS:
        PostFromMenu(window, "Previous", kCommandPrevious);
        return true;
    case IDM_ORDER_SHEET:
        PostFromMenu(window, "Order sheet", kCommandOrderSheet);
        return true;
    case IDM_END:
        PostFromMenu(window, "End", kCommandEnd);
        return true;
    case IDM_RESTART:
        App().log.Write("menu Restart");
        RestartDemonstration();
        return true;
    case IDM_HELP_TOPICS:
        App().log.Write("menu Help topics");
        ShowHelpTopics();
        return true;
    case IDM_EXIT:
        App().log.Write("menu Exit");
        PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == kCommandShowText) {
        ShowModuleText(lParam);
        return 0;
    }
    if (id == kCommandReady || id == kCommandReadyAfterCursor) {
        return AnswerReadyQuery(id, lParam);
    }
    if (id == kCommandKey) {
        ActOnKey(static_cast<unsigned>(lParam & 0xFFFF));
    }
    if (IsDemoCommand(id)) {
        PassCommand(wParam, lParam);
        return 0;
    }
    if (!HandleHostCommand(window, id) && !HandleMenuCommand(window, id)) {
        App().log.Writef("host command %d (not handled)", id);
    }
    return 0;
}

void OnHousekeeping() {
    DoHousekeeping();
    if (RefreshInstrument() && !ModuleShowsPages()) {
        RECT client;
        GetClientRect(App().window, &client);
        RECT view = ViewArea(client);
        InvalidateRect(App().window, &view, FALSE);
    }
}

void OnTimer(WPARAM timer) {
    HostApp& app = App();
    switch (timer) {
    case kTickTimerId:
        TickDemonstration();
        break;
    case kHousekeepingTimerId:
        OnHousekeeping();
        break;
    case kScriptLimitTimerId:
        EndScriptAtLimit();
        break;
    case kOrderFillTimerId:
        OrderFillStep();
        break;
    case kHelpChoiceTimerId:
        KillTimer(app.window, kHelpChoiceTimerId);
        ChooseHelpTopic();
        break;
    case kTimeoutTimerId:
        KillTimer(app.window, kTimeoutTimerId);
        app.log.Writef("timeout after %d s", app.options.timeoutSeconds);
        app.exitCode = kExitTimeout;
        // A quit message also ends any modal loop the module may be running.
        PostQuitMessage(kExitTimeout);
        break;
    default:
        break;
    }
}

void OnDestroy(HWND window) {
    KillTimer(window, kHousekeepingTimerId);
    KillTimer(window, kTimeoutTimerId);
    ShutdownDemonstration();
    PostQuitMessage(App().exitCode);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateToolbar(window);
        return 0;
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case kAutoStartMessage:
        if (App().options.helpTopic >= 0) {
            App().log.Writef("help topic %d (automatic)", App().options.helpTopic);
            ShowHelpTopics(true);
        } else {
            Start(window, true);
        }
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void EnableMenuCommand(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void UpdateMenuState(const HostApp& app) {
    HMENU menu = GetMenu(app.window);
    if (menu == nullptr) {
        return;
    }
    const bool running = app.progress.Running();
    EnableMenuCommand(menu, IDM_START, !running);
    EnableMenuCommand(menu, IDM_NEXT, running);
    EnableMenuCommand(menu, IDM_PREVIOUS, running);
    EnableMenuCommand(menu, IDM_ORDER_SHEET, running);
    EnableMenuCommand(menu, IDM_END, running);
    EnableMenuCommand(menu, IDM_RESTART, running);
    // A topic runs as a demonstration of its own, so not beside another one.
    EnableMenuCommand(menu, IDM_HELP_TOPICS, app.module.Exports().demoHelp != nullptr && !running);
}

} // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, const std::string& title) {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kMainWindowStyle, TRUE);
    return CreateWindowExA(0, kMainWindowClass, title.c_str(), kMainWindowStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                           nullptr, nullptr, instance, nullptr);
}

void RepaintPageArea() {
    HWND window = App().window;
    if (window == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    RECT pageArea = PageArea(client);
    InvalidateRect(window, &pageArea, FALSE);
}

void RepaintTextPanel() {
    HWND window = App().window;
    if (window == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    RECT panel = PanelArea(client);
    InvalidateRect(window, &panel, FALSE);
}

void RefreshHostWindow() {
    HostApp& app = App();
    if (app.window == nullptr) {
        return;
    }
    UpdateMenuState(app);
    std::string status = app.progress.StatusText();
    if (status != app.statusShown) {
        app.statusShown = status;
        InvalidateStrip(app.window, false);
    }
}
