// The print job around the order printout: the printer choice (kept from job
// to job), the printing dialog with its cancel button and page progress, and
// the abort procedure that keeps the host responsive while the driver works.
#pragma once

#include <windows.h>

#include "include/brenk_C.h"
#include "print/print_ids.h"

// 0 when a job begins, 1 once the user cancels it.
extern int printCancelled;
// The printing dialog while a job runs, else null.
extern HWND abortDialog;

// The system print dialog, starting from the printer chosen last time; the
// printer's device context, or null when cancelled or failed.
HDC ChoosePrinter(HWND owner);
// Chooses a printer, disables `parent`, shows the printing dialog and
// installs the abort procedure; the printer's device context, or null (after
// a warning beep) when no job could be started.
HDC BeginPrintJob(HWND parent);
// Ends (or, when ending fails, aborts) the document, enables `parent`, then
// closes the printing dialog and deletes the device context.
void EndPrintJob(HDC dc, HWND parent);
// Releases the kept printer choice; for the module's unload.
void ReleasePrinterChoice();
// Closes a job that was begun but will print nothing: as EndPrintJob without
// a document, with a warning beep.
void DropPrintJob(HDC dc, HWND parent);
// The warning beep of a failed or refused job (MessageBeep 0x30).
void WarnPrintFailure();

// The printer choice of the last print dialog the user confirmed (device
// mode and device names), handed to the next one; null at first.
extern HGLOBAL keptDeviceMode;
extern HGLOBAL keptDeviceNames;
// Warning beeps given so far; tests read it, as Wine plays no sound.
extern int printWarningBeeps;

// AbortProc and PrintDlgProc are declared in include/brenk_C.h.
