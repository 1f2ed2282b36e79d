// The small dialog in which the quantity of the selected order line is typed.
#pragma once

#include <windows.h>

#include "include/brenk_C.h"

// Opens the entry over the selected line of the sheet, prefilled with
// `initial`; stores what was accepted and redraws the line and the totals.
void EditQuantity(HWND sheet, int initial);
// EnterDlgProc is declared in include/brenk_C.h.
