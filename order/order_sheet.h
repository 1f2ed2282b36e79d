// The order sheet dialog over the price catalogue.
#pragma once

#include <windows.h>

#include "include/brenk_C.h"

// Prints the order; called by the sheet's Print button with the sheet.
typedef void (*OrderPrinter)(HWND sheet);

// Runs the order sheet modally over the host window until it is closed;
// returns the dialog box result. Print calls `printer` (none: Print does
// nothing).
INT_PTR ShowOrderSheet(OrderPrinter printer);

// Brings the five lists of the sheet to `top` with `selected` kept on one of
// the visible lines, and stores both in the session.
void SyncOrderLists(HWND dialog, int top, int selected);

// Number of items with a quantity above 0; with a dialog, also enables its
// print button exactly when that number is above 0.
int CountOrderedItems(HWND dialog);
// OrderSheetProc is declared in include/brenk_C.h.
