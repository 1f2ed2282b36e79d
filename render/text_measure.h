// Text measuring on a device context, in its current font.
#pragma once

#include <windows.h>

// Width of the first n characters; 0 when n is 0 or the measurement fails.
int TextWidth(HDC dc, const char* text, int n);
int StringWidth(HDC dc, const char* text);
// Height of "X"; 8 when the measurement fails.
int LineHeight(HDC dc);
