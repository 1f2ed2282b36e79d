// The one module-wide session record and the module's exported entry points.
#pragma once

#include <windows.h>

#include "frame/page_flow.h"

// Host's text callback: id, buffer, buffer size (NUL included).
typedef void(__stdcall* HostTextCallback)(DWORD textId, char* buffer, int bufferSize);

constexpr int kPageWidth = 638;
constexpr int kPageHeight = 410;
constexpr int kWorkSize = 256;
constexpr int kFontCount = 3;
constexpr int kTitleTextSize = 99;
// Orderer slots 0..4: address lines; 5 and 6: the two one-line fields.
constexpr int kOrdererSlots = 7;
constexpr int kOrdererSlotSize = 42;
constexpr int kEntryTextSize = 20;

struct DemoSession {
    // Host link
    HINSTANCE moduleInstance;
    HWND hostWindow;
    HINSTANCE hostInstance;
    HostTextCallback hostTextCallback;
    char titleText[kTitleTextSize];
    int language;
    int showStartMode;
    HCURSOR bigCursor;

    // Off-screen drawing surfaces
    HDC pageDc;
    HBITMAP pageBitmap;
    HGDIOBJ pageDcOldBitmap;
    HDC workDc;
    HBITMAP workBitmap;
    HGDIOBJ workDcOldBitmap;
    HFONT fonts[kFontCount];
    HPALETTE pagePalette;
    HGLOBAL pagePaletteMemory;
    int pageAreaWidth;
    int pageAreaHeight;

    // Presentation state: the page flow (phase, page, timer) and the script
    // selection with its step timing live in their portable record.
    PageFlow flow;

    // Slide show
    HMODULE showLibrary;
    HWND showWindow;
    int showAborted;

    // Order sheet: what the user typed outlasts the dialog; the handles are
    // valid only while the sheet or the quantity entry is open.
    char ordererLines[kOrdererSlots][kOrdererSlotSize];
    int orderTopLine;
    int orderSelectedLine;
    int orderScrolling;
    int orderSyncBusy;
    HWND orderScrollBar;
    HWND entryDialog;
    char entryText[kEntryTextSize];
    int entryCentreY;
    int entryFirstFocus;

    // Floating-point hook
    int fpErrorFlag;
    int fpTrapInstalled;
    unsigned int savedFpMasks;
};

extern DemoSession session;

// Asks the host for text `id`; leaves an empty text when there is no callback.
void GetHostText(DWORD id, char* buffer, int bufferSize);

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
