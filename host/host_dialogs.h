// The host's own dialogs, opened by its commands: settings, calculated
// quantity, record, stop confirmation, save, number of readings, measuring
// range and print. Each is modal to the main window and changes the
// instrument when it is confirmed.
#pragma once

#include <windows.h>

// Runs dialog `templateId` (command_ids.h); returns the id of the button
// that ended it.
INT_PTR RunHostDialog(HWND owner, int templateId);
