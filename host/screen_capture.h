// Saving what a window's client area shows as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

// Copies the client area as the screen shows it (dialogs over it included)
// into a DIB section
// and writes it to `path`. False when any step fails; every GDI object made
// on the way is released either way.
bool CaptureClientArea(HWND window, const std::string& path);
