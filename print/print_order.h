// Printing the order sheet.
#pragma once

#include <windows.h>

// Prints the current order, page by page, with `parent` (the order sheet)
// disabled while the job runs. Does nothing while the price list is not
// valid or no item is ordered; beeps when the printer's page cannot hold one
// table row or the job cannot be started or ended.
void PrintOrderSheet(HWND parent);

// Today's date in the user's short date pattern; `out` holds kPrintDateSize.
void FormatPrintDate(char* out);

// The printout's drawing operations on a printer device context.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2);
void DrawClippedText(HDC dc, int x, int y, int width, const char* text, int alignment);
void DrawTextCell(HDC dc, int x, int y, int width, int alignment, const char* text);
void DrawHostTextCell(HDC dc, int x, int y, int width, int alignment, DWORD textId,
                      const char* value = nullptr);
