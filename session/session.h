// The one module-wide session record, which every part of the module reads,
// and the host's text callback.
#pragma once

#include <windows.h>

#include "include/brenk_C.h"
#include "session/presentation_state.h"

// Host's text callback: id, buffer, buffer size (NUL included).
typedef BrenkHostText HostTextCallback;

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
