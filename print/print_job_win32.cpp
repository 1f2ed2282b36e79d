#include "print/print_job.h"

#include <commctrl.h>

#include <cstdio>

#include "files/library_load_win32.h"
#include "session/dialog_texts.h"
#include "session/module_dialogs.h"
#include "session/session.h"

int printCancelled;
HWND abortDialog;
HGLOBAL keptDeviceMode;
HGLOBAL keptDeviceNames;
int printWarningBeeps;

namespace {

// The host's template may hold a progress bar; its class must be registered
// before the dialog is made, and a host need not have done that.
void RegisterProgressClass() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
}

// Page progress as "2 / 3" and a bar: no words, so no language to pick.
void ShowPageProgress(HWND dialog, int page, int pages) {
    SendDlgItemMessageA(dialog, kPrintingProgressBar, PBM_SETRANGE32, 0, pages);
    SendDlgItemMessageA(dialog, kPrintingProgressBar, PBM_SETPOS, page, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%d / %d", page, pages);
    SetDlgItemTextA(dialog, kPrintingPageText, text);
}

void CloseJob(HDC dc, HWND parent, bool failed) {
    // The parent first, so the focus has somewhere to go when the dialog goes.
    EnableWindow(parent, TRUE);
    if (abortDialog)
        DestroyWindow(abortDialog);
    abortDialog = nullptr;
    DeleteDC(dc);
    if (failed)
        WarnPrintFailure();
}

} // namespace

void WarnPrintFailure() {
    ++printWarningBeeps;
    MessageBeep(MB_ICONEXCLAMATION);
}

namespace {

typedef BOOL(WINAPI* PrintDlgFn)(PRINTDLGA*);

// The system print dialog, from comdlg32 loaded from the system folder when
// first needed (by full path: never a copy in the current folder). It stays
// loaded for the rest of the process, as in any host that prints: importing
// it would load and unload it (and with it the print spooler) with every load
// of the module, and Wine's spooler keeps a handle each time it is loaded.
PrintDlgFn SystemPrintDialog() {
    static PrintDlgFn printDialog = nullptr;
    if (!printDialog) {
        if (HMODULE dialogs = LoadSystemLibrary("comdlg32.dll"))
            printDialog = reinterpret_cast<PrintDlgFn>(
                reinterpret_cast<void*>(GetProcAddress(dialogs, "PrintDlgA")));
    }
    return printDialog;
}

} // namespace

HDC ChoosePrinter(HWND owner) {
    PrintDlgFn printDialog = SystemPrintDialog();
    if (!printDialog)
        return nullptr;
    PRINTDLGA choice = {};
    choice.lStructSize = sizeof choice;
    // Owned, the dialog disables the order sheet while it is open: no second
    // Print can start a job inside this one.
    choice.hwndOwner = owner;
    choice.hDevMode = keptDeviceMode;
    choice.hDevNames = keptDeviceNames;
    choice.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIES;
    BOOL chosen;
    {
        ModalLoop loop;
        chosen = printDialog(&choice);
    }
    // The dialog may replace the handles it was given (and free the old
    // ones) even when cancelled: keep what it hands back.
    keptDeviceMode = choice.hDevMode;
    keptDeviceNames = choice.hDevNames;
    if (!chosen)
        return nullptr;
    return choice.hDC;
}

HDC BeginPrintJob(HWND parent) {
    printCancelled = 0;
    HDC dc = ChoosePrinter(parent);
    if (!dc) {
        WarnPrintFailure();
        return nullptr;
    }
    EnableWindow(parent, FALSE);
    RegisterProgressClass();
    abortDialog =
        CreateDialogParamA(session.hostInstance, MAKEINTRESOURCEA(kPrintingDialogTemplate), parent,
                           PrintDlgProc, kPrintingDialogTemplate);
    if (abortDialog) {
        SetWindowTextA(abortDialog, session.titleText);
        ShowWindow(abortDialog, SW_SHOW);
        UpdateWindow(abortDialog);
        if (SetAbortProc(dc, AbortProc) > 0)
            return dc;
    }
    CloseJob(dc, parent, true);
    return nullptr;
}

void EndPrintJob(HDC dc, HWND parent) {
    bool failed = false;
    if (EndDoc(dc) <= 0) {
        AbortDoc(dc);
        failed = true;
    }
    CloseJob(dc, parent, failed);
}

void DropPrintJob(HDC dc, HWND parent) {
    CloseJob(dc, parent, true);
}

void ReleasePrinterChoice() {
    if (keptDeviceMode)
        GlobalFree(keptDeviceMode);
    if (keptDeviceNames)
        GlobalFree(keptDeviceNames);
    keptDeviceMode = nullptr;
    keptDeviceNames = nullptr;
}

BOOL __stdcall AbortProc(HDC, int) {
    MSG message;
    while (!printCancelled && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // A quit request ends the job and is left for the host's own loop.
        if (message.message == WM_QUIT) {
            printCancelled = 1;
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!abortDialog || !IsDialogMessageA(abortDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return !printCancelled;
}

INT_PTR __stdcall PrintDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AddOpenDialog(dialog);
        ApplyDialogTexts(dialog, static_cast<int>(lParam));
        return TRUE;
    case WM_DESTROY:
        RemoveOpenDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kPageProgressCommand) {
            ShowPageProgress(dialog, LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        }
        printCancelled = 1;
        return TRUE;
    default:
        return FALSE;
    }
}
