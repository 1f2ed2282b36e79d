#include "frame/show_window.h"

#include "frame/exports.h"
#include "frame/host_ids.h"
#include "frame/script_phase.h"
#include "frame/show_library.h"
#include "frame/show_library_search_win32.h"

namespace {

typedef void(__stdcall* IstartFn)(HWND, const char*, int, int, int);
typedef void(__stdcall* VoidFn)(void);
typedef void(__stdcall* IntArgFn)(int);

// Entry points are looked up at every use; a missing one is skipped.
FARPROC ShowEntry(const char* name) {
    return session.showLibrary ? GetProcAddress(session.showLibrary, name) : nullptr;
}

template <typename Fn> Fn ShowEntryAs(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(ShowEntry(name)));
}

void CallVoidEntry(const char* name) {
    if (VoidFn fn = ShowEntryAs<VoidFn>(name))
        fn();
}

void CallIntEntry(const char* name, int value) {
    if (IntArgFn fn = ShowEntryAs<IntArgFn>(name))
        fn(value);
}

void ReleaseShowLibrary() {
    if (session.showLibrary) {
        FreeLibrary(session.showLibrary);
        session.showLibrary = nullptr;
    }
}

void OnShowDestroyed() {
    if (session.showWindow) {
        const WPARAM next =
            (!SelectedScriptHasSteps() || session.showAborted) ? kEndCommand : kNextCommand;
        PostMessageA(session.hostWindow, WM_COMMAND, next, 0);
        session.showWindow = nullptr;
    }
}

void OnShowControl(HWND window, LPARAM code) {
    if (!session.showLibrary)
        return;
    if (code == 0) {
        CallVoidEntry(kShowGoEntry);
        return;
    }
    CallVoidEntry(kShowStopEntry);
    if (code == kShowAborted)
        session.showAborted = 1;
    DestroyWindow(window);
}

// The instance the class was registered under, so the unload can take it
// back; null while it is not registered.
HINSTANCE showClassInstance = nullptr;

bool RegisterShowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PavloWndProc;
    windowClass.hInstance = session.hostInstance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kShowClassName;
    if (RegisterClassA(&windowClass) == 0)
        return false;
    showClassInstance = session.hostInstance;
    return true;
}

} // namespace

int StartShow() {
    if (!RegisterShowClass())
        return 0;
    RECT area;
    GetClientRect(session.hostWindow, &area);
    area.top += 30;
    area.bottom -= 30;
    HWND window = CreateWindowA(kShowClassName, nullptr, WS_CHILD | WS_CLIPSIBLINGS, area.left,
                                area.top, area.right - area.left, area.bottom - area.top,
                                session.hostWindow, nullptr, session.hostInstance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        if (session.showLibrary) {
            if (IstartFn start = ShowEntryAs<IstartFn>(kShowStartEntry))
                start(window, kShowScriptName, kShowControl, kShowButton, session.showStartMode);
        } else {
            DestroyWindow(window); // posts nothing: showWindow is still empty
        }
    }
    if (!session.showLibrary || !window)
        return 0;
    session.showWindow = window;
    return 1;
}

void EndShowSilently() {
    HWND window = session.showWindow;
    if (!window || !IsWindow(window)) {
        session.showWindow = nullptr;
        return;
    }
    // Another thread's window cannot be destroyed from here; the host keeps
    // every window on its one GUI thread, so this is a misuse we only survive.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return;
    // As a show ends by itself: the library stops, then the window goes and
    // its WM_NCDESTROY unloads the library. With showWindow cleared first, its
    // WM_DESTROY posts no command to a host that has ended the session.
    CallVoidEntry("Istop");
    session.showWindow = nullptr;
    DestroyWindow(window);
}

void UnregisterShowClass() {
    if (showClassInstance && UnregisterClassA(kShowClassName, showClassInstance))
        showClassInstance = nullptr;
}

extern "C" LRESULT __stdcall PavloWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // By full path from the folders the host's installer controls only.
        if (HMODULE library = LoadShowLibrary())
            session.showLibrary = library;
        return 0;
    case WM_DESTROY:
        OnShowDestroyed();
        return 0;
    case WM_NCDESTROY:
        // The library's own windows inside the show window are destroyed
        // after WM_DESTROY reached it and before this: their last messages
        // still find the library's code.
        ReleaseShowLibrary();
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATE:
        CallIntEntry(kShowPaintEntry, LOWORD(wParam) != 0 ? 1 : 0);
        return 0;
    case WM_PALETTECHANGED:
        CallIntEntry(kShowPaintEntry, 2);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kShowControl)
            OnShowControl(window, lParam);
        else if (LOWORD(wParam) == kShowButton)
            CallIntEntry(kShowButtonEntry, static_cast<int>(lParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
