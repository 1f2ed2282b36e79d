// Numbers padded with spaces to the pixel width of a digit mask, so that the
// columns of the order sheet and the printout line up on the right.
#pragma once

#include <windows.h>

#include "order/amount_mask.h"

// Pads the count (when 0 or more) or the amount (count negative) to the
// width of `mask` measured on `dc` in its selected font. `output` holds at
// least kMaskedTextSize bytes.
void FormatToMask(HDC dc, char* output, double amount, int count, const char* mask);

// The same measured on the window's own device context, default font.
void FormatToMaskForWindow(HWND window, char* output, double amount, int count, const char* mask);

// Recomputes the order sum and the sum with surcharge into controls 4412 and
// 4413 of the order sheet.
void UpdateOrderTotals(HWND dialog);
