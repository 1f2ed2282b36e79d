#include "frame/script_host_win32.h"

#include "frame/script_validation.h"
#include "session/session.h"

namespace {

// Key-state bits the scripted clicks carry; buttons do not look at them.
constexpr WPARAM kClickKeyState = 0x1E;

LPARAM AsParam(uint32_t value) {
    return static_cast<LPARAM>(value);
}

} // namespace

uint32_t WindowScriptHost::Now() {
    return GetTickCount();
}

// The pauses block the host's thread on purpose: the user sees each stage of
// a press or of typing before anything else happens.
void WindowScriptHost::Wait(uint32_t milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds)
        Sleep(0); // still busy, but lets other programs have the processor
}

bool WindowScriptHost::TakeFrontWindow() {
    front_ = nullptr;
    control_ = nullptr;
    if (!session.hostWindow)
        return false;
    front_ = GetLastActivePopup(session.hostWindow);
    return front_ && IsWindow(front_);
}

bool WindowScriptHost::FrontIsHostWindow() {
    return front_ == session.hostWindow;
}

void WindowScriptHost::ActivateFront() {
    SetActiveWindow(front_);
    BringWindowToTop(front_);
}

void WindowScriptHost::SendText(uint32_t param) {
    SendMessageA(session.hostWindow, WM_COMMAND, kShowTextCommand, AsParam(param));
}

bool WindowScriptHost::AskReady(int command, uint32_t param) {
    return SendMessageA(session.hostWindow, WM_COMMAND, static_cast<WPARAM>(command),
                        AsParam(param)) != 0;
}

void WindowScriptHost::PostToFront(int command, uint32_t param) {
    PostMessageA(front_, WM_COMMAND, static_cast<WPARAM>(command), AsParam(param));
}

bool WindowScriptHost::TakeControl(int32_t id) {
    controlId_ = id;
    control_ = GetDlgItem(front_, id);
    return control_ != nullptr;
}

bool WindowScriptHost::ControlIsButton() {
    char className[100] = {};
    GetClassNameA(control_, className, sizeof className);
    return lstrcmpiA(className, "button") == 0;
}

void WindowScriptHost::PressControl() {
    SendMessageA(control_, WM_LBUTTONDOWN, kClickKeyState, 0);
}

void WindowScriptHost::ReleaseControl() {
    PostMessageA(control_, WM_LBUTTONUP, kClickKeyState, 0);
}

void WindowScriptHost::ShowControlText(const char* text) {
    SetWindowTextA(control_, text);
    UpdateWindow(control_);
}

void WindowScriptHost::ApplyControlAction(int32_t action) {
    switch (action) {
    case kArrowDown:
        SendMessageA(control_, WM_KEYDOWN, VK_DOWN, 0);
        break;
    case kArrowUp:
        SendMessageA(control_, WM_KEYDOWN, VK_UP, 0);
        break;
    case kCheck:
        CheckDlgButton(front_, controlId_, BST_CHECKED);
        break;
    case kUncheck:
        CheckDlgButton(front_, controlId_, BST_UNCHECKED);
        break;
    case kOpenDropDown:
        SendMessageA(control_, CB_SHOWDROPDOWN, TRUE, 0);
        break;
    case kCloseDropDown:
        SendMessageA(control_, CB_SHOWDROPDOWN, FALSE, 0);
        break;
    default:
        break;
    }
}

bool WindowScriptHost::ShowBigCursor() {
    if (!session.bigCursor)
        return false;
    previousCursor_ = SetCursor(session.bigCursor);
    return true;
}

void WindowScriptHost::RestoreCursor() {
    SetCursor(previousCursor_);
}

void WindowScriptHost::FetchHostText(int32_t textId, char* buffer, int bufferSize) {
    GetHostText(static_cast<DWORD>(textId), buffer, bufferSize);
}
