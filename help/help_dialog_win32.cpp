#include "help/help_dialog.h"

#include "frame/host_ids.h"
#include "frame/page_flow.h"
#include "frame/script_phase.h"
#include "session/dialog_texts.h"
#include "session/module_dialogs.h"

HelpListState helpList;

namespace {

constexpr int kHostMargin = 10;
constexpr int kListDoubleClick = 2; // LBN_DBLCLK

// Lower right corner of the host window, 10 pixels in from both edges; not
// corrected when that puts the dialog partly off the host or the screen.
void PlaceInHostCorner(HWND dialog) {
    RECT own;
    RECT host;
    GetWindowRect(dialog, &own);
    GetWindowRect(session.hostWindow, &host);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    MoveWindow(dialog, host.right - width - kHostMargin, host.bottom - height - kHostMargin, width,
               height, FALSE);
}

void FillTopics(HWND dialog) {
    HWND list = GetDlgItem(dialog, kHelpListControl);
    // The titles come straight from the host's callback, which DemoHelp checked.
    HostTextCallback callback = session.hostTextCallback;
    FillHelpList(
        helpList, scriptDirectory, kScriptCount,
        [callback](int32_t id, char* buffer, int size) {
            callback(static_cast<DWORD>(id), buffer, size);
        },
        [list](const char* line, bool select) {
            const LRESULT index =
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
            if (select && index >= 0)
                SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        });
}

INT_PTR InitDialog(HWND dialog, LPARAM key) {
    ApplyDialogTexts(dialog, static_cast<int>(key));
    PlaceInHostCorner(dialog);
    FillTopics(dialog);
    if (helpList.lineCount == 0)
        EndDialog(dialog, 1);
    return 1;
}

// Ends the dialog with the selected line's script; with no line selected the
// dialog stays open.
INT_PTR ChooseSelected(HWND dialog) {
    const LRESULT line = SendDlgItemMessageA(dialog, kHelpListControl, LB_GETCURSEL, 0, 0);
    const int32_t script = HelpLineScript(helpList, static_cast<int>(line));
    if (script == kHelpNothingChosen)
        return 0;
    helpList.result = script;
    EndDialog(dialog, 1);
    return 1;
}

INT_PTR Command(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        EndDialog(dialog, 1);
        return 1;
    case kProgramHelpButton:
        helpList.result = kHelpProgramHelp;
        EndDialog(dialog, 1);
        return 1;
    case IDOK:
        return ChooseSelected(dialog);
    case kHelpListControl:
        return HIWORD(wParam) == kListDoubleClick ? ChooseSelected(dialog) : 1;
    default:
        return 1;
    }
}

// The chosen script runs from the host's next tick on.
void StartChosenScript() {
    if (!session.bigCursor)
        session.bigCursor = LoadCursorA(session.moduleInstance, "BIG");
    GetHostText(kTitleTextId, session.titleText, kTitleTextSize);
    session.flow.phase = kScriptPhase;
    session.flow.nextStepTime = 0;
    session.flow.stepIndex = -1;
}

} // namespace

extern "C" INT_PTR __stdcall DemoHelpSelProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AddOpenDialog(dialog);
        return InitDialog(dialog, lParam);
    case WM_COMMAND:
        return Command(dialog, wParam);
    case WM_DESTROY:
        RemoveOpenDialog(dialog);
        return 0;
    default:
        return 0;
    }
}

extern "C" int __stdcall DemoHelp(HWND hostWindow, HINSTANCE hostInstance,
                                  HostTextCallback callback, int startScript) {
    // One list at a time, and none over the order sheet: its answer would
    // start a script under the sheet.
    if (!hostWindow || !hostInstance || !callback || ModuleDialogOpen())
        return kHelpNothingChosen;
    session.hostWindow = hostWindow;
    session.hostInstance = hostInstance;
    session.hostTextCallback = callback;
    helpList.startScript = startScript;
    helpList.result = kHelpNothingChosen;
    {
        ModalLoop loop;
        DialogBoxParamA(hostInstance, MAKEINTRESOURCEA(kHelpTemplateId), hostWindow,
                        DemoHelpSelProc, kHelpTemplateId);
    }
    if (helpList.result < 0)
        return helpList.result;
    SelectScript(helpList.result);
    if (session.flow.stepCount <= 0)
        return kHelpNothingChosen;
    StartChosenScript();
    return helpList.result;
}
