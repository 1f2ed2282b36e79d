#include "sheet_driver.h"

namespace {

// The host's templates: the order sheet's quantity list, the entry field, the
// printing dialog's label, and the system print dialog's printer list.
constexpr int kQuantityList = 4404;
constexpr int kItemTextList = 4406;
constexpr int kEntryField = 4414;
constexpr int kPrintingLabel = 31236;
constexpr int kPrinterList = 0x473;
constexpr int kPrintButton = IDOK;
constexpr int kCloseButton = IDCANCEL;

struct DriverState {
    HHOOK hook = nullptr;
    SheetVisit visit;
    HWND sheet = nullptr;
    HWND entry = nullptr;
    HWND printing = nullptr;
    HWND other = nullptr;
    SheetVisitCounts counts;
} state;

void Post(HWND window, int command) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, command)));
}

// A press on the first line, then a digit key: the entry opens with it.
void StartEntry(HWND sheet) {
    HWND list = GetDlgItem(sheet, kItemTextList);
    RECT line;
    if (SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line)) == LB_ERR)
        return;
    const LPARAM point = MAKELPARAM((line.left + line.right) / 2, (line.top + line.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_KEYDOWN, '5', 1);
}

// The sheet's next input once nothing else is open on it.
void NextSheetInput() {
    if (state.visit.enterQuantity) {
        state.visit.enterQuantity = false;
        StartEntry(state.sheet);
    } else if (state.visit.print) {
        state.visit.print = false;
        Post(state.sheet, kPrintButton);
    } else {
        Post(state.sheet, kCloseButton);
    }
}

void OnDialogReady(HWND dialog) {
    if (GetDlgItem(dialog, kQuantityList)) {
        ++state.counts.sheets;
        state.sheet = dialog;
        NextSheetInput();
    } else if (GetDlgItem(dialog, kEntryField)) {
        ++state.counts.entries;
        state.entry = dialog;
        Post(dialog, IDOK);
    } else if (GetDlgItem(dialog, kPrinterList)) {
        ++state.counts.printDialogs;
        Post(dialog, IDOK);
    } else if (GetDlgItem(dialog, kPrintingLabel)) {
        ++state.counts.printingDialogs;
        state.printing = dialog;
    } else {
        // A message box (no printer, say): answered, and the sheet goes on.
        ++state.counts.otherDialogs;
        state.other = dialog;
        Post(dialog, IDOK);
    }
}

// When a dialog over the sheet ends, the sheet takes its next input. The
// printing dialog ends with the job, the entry with its OK.
void OnDialogGone(HWND dialog) {
    if (dialog == state.sheet) {
        state.sheet = nullptr;
        return;
    }
    if (dialog != state.entry && dialog != state.printing && dialog != state.other)
        return;
    if (dialog == state.entry)
        state.entry = nullptr;
    if (dialog == state.printing)
        state.printing = nullptr;
    if (dialog == state.other)
        state.other = nullptr;
    if (state.sheet)
        NextSheetInput();
}

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        if (call->message == WM_INITDIALOG)
            OnDialogReady(call->hwnd);
        else if (call->message == WM_DESTROY)
            OnDialogGone(call->hwnd);
    }
    return CallNextHookEx(state.hook, code, wParam, lParam);
}

} // namespace

SheetDriver::SheetDriver() {
    state = DriverState();
    state.hook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchDialogs, nullptr, GetCurrentThreadId());
}

SheetDriver::~SheetDriver() {
    UnhookWindowsHookEx(state.hook);
    state.hook = nullptr;
}

int SheetDriver::Visit(int(__stdcall* demoCommand)(int, LPARAM), const SheetVisit& visit) {
    state.visit = visit;
    return demoCommand(1906, 0);
}

const SheetVisitCounts& SheetDriver::counts() const {
    return state.counts;
}
