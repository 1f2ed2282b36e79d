// The module's own modal loops: its dialogs (order sheet, quantity entry,
// help list, the system print dialog) and printing. Each dispatches the
// host's messages, so a host's timer ticks and forwarded commands arrive
// inside them; the frame asks here whether one runs before it acts on them.
// A DemoFree that arrives inside one ends them all and leaves the release of
// what they use until the last has closed.
#pragma once

#include <windows.h>

// Counts one modal loop of the module while it lives; when the last one ends,
// runs the release DemoFree left for that moment.
class ModalLoop {
  public:
    ModalLoop();
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;
};

// True while any of the module's modal loops runs.
bool ModuleDialogOpen();

// A dialog of the module, from its WM_INITDIALOG to its WM_DESTROY. Every one
// takes IDCANCEL as "close, keeping nothing of what is half done".
void AddOpenDialog(HWND dialog);
void RemoveOpenDialog(HWND dialog);

// Ends every open dialog of the module (IDCANCEL), and any window of the
// thread that one of them owns (the system's print dialog, a message box).
void EndModuleDialogs();

// Runs `release` when the last modal loop ends; at once when none runs.
void ReleaseWhenDialogsClose(void (*release)());
