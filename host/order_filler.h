// The host fills in an order on the module's order sheet as a user would:
// the address, a few quantities typed into the lists, a look at the totals.
// Used by --order-demo so an unattended demonstration shows the sheet.
#pragma once

#include <windows.h>

constexpr UINT_PTR kOrderFillTimerId = 6;

// Opens the sheet through the module's command 1906 once the price page
// shows; does nothing without --order-demo or after the first time.
void MaybeOpenOrderSheet();
// One step of the filling, run from the host's timer while the sheet's
// modal loop runs.
void OrderFillStep();
