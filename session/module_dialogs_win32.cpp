#include "session/module_dialogs.h"

namespace {

// A quantity entry over the order sheet, the print dialog over both: a few
// levels at most, kept with room to spare.
constexpr int kMostOpenDialogs = 8;

int modalLoops = 0;
HWND openDialogs[kMostOpenDialogs];
int openDialogCount = 0;
void (*pendingRelease)() = nullptr;

bool IsOpenDialog(HWND window) {
    for (int i = 0; i < openDialogCount; ++i)
        if (openDialogs[i] == window)
            return true;
    return false;
}

BOOL CALLBACK CancelOwnedWindow(HWND window, LPARAM) {
    if (!IsOpenDialog(window) && IsOpenDialog(GetWindow(window, GW_OWNER)))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

} // namespace

ModalLoop::ModalLoop() {
    ++modalLoops;
}

ModalLoop::~ModalLoop() {
    if (--modalLoops > 0 || !pendingRelease)
        return;
    void (*release)() = pendingRelease;
    pendingRelease = nullptr;
    release();
}

bool ModuleDialogOpen() {
    return modalLoops > 0;
}

void AddOpenDialog(HWND dialog) {
    if (openDialogCount < kMostOpenDialogs && !IsOpenDialog(dialog))
        openDialogs[openDialogCount++] = dialog;
}

void RemoveOpenDialog(HWND dialog) {
    // Kept in the order they opened, so the innermost is ended first.
    int kept = 0;
    for (int i = 0; i < openDialogCount; ++i)
        if (openDialogs[i] != dialog)
            openDialogs[kept++] = openDialogs[i];
    openDialogCount = kept;
}

void EndModuleDialogs() {
    // Windows the dialogs own first: the system's print dialog knows nothing
    // of the module and is told the way its user would tell it.
    EnumThreadWindows(GetCurrentThreadId(), CancelOwnedWindow, 0);
    // Innermost first; a dialog's IDCANCEL may close others and change the list.
    for (int i = openDialogCount - 1; i >= 0; --i)
        if (i < openDialogCount)
            SendMessageA(openDialogs[i], WM_COMMAND, IDCANCEL, 0);
}

void ReleaseWhenDialogsClose(void (*release)()) {
    if (modalLoops > 0)
        pendingRelease = release;
    else
        release();
}
