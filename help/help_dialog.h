// The help topic dialog: lists the scripts offered as help topics and starts
// the chosen one in the script phase.
#pragma once

#include <windows.h>

#include "help/help_ids.h"
#include "help/help_list.h"
#include "session/session.h"

// What one DemoHelp call knows of its dialog.
extern HelpListState helpList;

extern "C" {
int __stdcall DemoHelp(HWND hostWindow, HINSTANCE hostInstance, HostTextCallback callback,
                       int startScript);
INT_PTR __stdcall DemoHelpSelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}
