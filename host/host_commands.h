// The host's own commands (the toolbar and the Measurement, View and
// Instrument menus), how ready each is, and what the module's key codes do.
#pragma once

#include <windows.h>

// The toolbar: one push button per command, children of the main window with
// the command ids, in the top strip.
void CreateToolbar(HWND window);
// Brings the instrument up to now (new readings, a reconnection over) and
// enables each command as its state allows, in toolbar and menu; true when
// the measurement changed.
bool RefreshInstrument();
// Runs a host command; false when `id` is none of them.
bool HandleHostCommand(HWND window, int id);
// 1909/1910 from the module: non-zero when that control exists, is visible
// and is enabled, in the main window or in the popup in front.
LRESULT AnswerReadyQuery(int command, LPARAM param);
// 1907 from the module: a key pressed in the main window.
void ActOnKey(unsigned keyCode);
