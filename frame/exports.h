// The frame's exports: opening, restarting and freeing a session, the
// identification and floating-point exports, the host's tick, paint and
// commands, and the slide show window's procedure.
#pragma once

#include "session/session.h"

extern "C" {
int __stdcall DemoInit(HWND hostWindow, HINSTANCE hostInstance, HostTextCallback callback,
                       const char* catalogueDirectory, int language);
void __stdcall DemoFree(void);
const char* __stdcall VerFun(HWND window, void* callback, int a3, int a4);
int __stdcall DemoFun(int selector);
int __stdcall DllFPError(int mode);
int __stdcall DemoTick(HWND window);
int __stdcall DemoPaint(HDC dc);
int __stdcall DemoCommand(int command, LPARAM param);
LRESULT __stdcall PavloWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}
