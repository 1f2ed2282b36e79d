/* plain_host: the smallest host of brenk_C.dll, for a host vendor to start
   from. It loads the module from its own folder, opens a demonstration in its
   window, ticks it from a timer, passes the commands on, answers the host
   texts and readiness questions, supplies the dialog templates (plain_host.rc)
   and unloads the module when the demonstration is over. docs/integration.html
   says why each step is done the way it is.

   Built as it stands, it binds the exports by name when it loads the module,
   so it starts without it and unloads it after each demonstration. Built with
   PLAIN_HOST_IMPORTS defined and linked against the import library
   (brenk_C.lib or libbrenk_C.dll.a), it calls them directly; the module then
   comes with the program and stays until it ends, so a second demonstration
   needs a new start of the program.

   Command line: --exit-when-done ends the program when the first
   demonstration is over (exit code 0 when it ran to its end); --log FILE
   writes the calls into the module and their results to FILE (the ticks
   only when they return more than 0). */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "brenk_C.h"

/* The host's own menu commands (plain_host.rc), clear of 1901..1910 */
#define CMD_START 100
#define CMD_HELP_TOPICS 101
#define CMD_EXIT 102
#define TICK_TIMER 1
#define TICK_MS 55 /* the timer's own resolution: 20 to 50 ms asked, 55 given */

static HINSTANCE instance;
static HWND mainWindow;
static HMODULE module;    /* brenk_C.dll while loaded */
static int running;       /* a demonstration is open: tick it */
static int unloadPending; /* DemoFree done: unload once the message loop runs again */
static int exitWhenDone;
static int exitCode = 1; /* 0 once a demonstration ran to its end and was unloaded */
static int ranToEnd;
static FILE* logFile;
static char shownTexts[3][160]; /* what 1908 showed, by mode */

#ifdef PLAIN_HOST_IMPORTS
#define BIND(name) name
#else
static struct {
    BrenkDemoInit DemoInit;
    BrenkDemoFree DemoFree;
    BrenkDemoTick DemoTick;
    BrenkDemoPaint DemoPaint;
    BrenkDemoCommand DemoCommand;
    BrenkDemoHelp DemoHelp;
    BrenkVerFun VerFun;
} bound;
#define BIND(name) bound.name
#endif

static void Note(const char* format, int value) {
    if (logFile) {
        fprintf(logFile, format, value);
        fputc('\n', logFile);
        fflush(logFile);
    }
}

/* --- Host texts ---------------------------------------------------------- */

struct HostTextEntry {
    DWORD id;
    const char* text;
};
static const struct HostTextEntry hostTexts[] = {
    {BRENK_TEXT_TITLE, "brenk_C Demonstration"},
    {BRENK_TEXT_PRICE_PAGE, "Prices in %s: the order sheet lists every item of the price list."},
    {8301, "Supplier"},
    {8302, "Orderer"},
    {8303, "Customer number: %s"},
    {8304, "Order reference: %s"},
    {8305, "ORDER"},
    {8306, "We order the following items:"},
    {8307, "Date:"},
    {8308, "Signature:"},
    {8309, "Qty"},
    {8310, "Code"},
    {8311, "Description"},
    {8312, "Unit price"},
    {8313, "Total"},
    {8314, "Sum"},
    {8315, "Sum incl. surcharge"},
    {8501, "1.0"},
    {8502, "200"},
    {BRENK_TEXT_HELP_TOPIC_1, "Measuring and saving, step by step"},
    {BRENK_TEXT_HELP_TOPIC_3, "   Changing the number of readings"},
    {BRENK_TEXT_HELP_TOPIC_4, "Choosing the measuring range"},
    {BRENK_TEXT_HELP_TOPIC_5, "   Printing the readings"},
    {BRENK_TEXT_HELP_CAPTION, "Help topics"},
    {BRENK_TEXT_HELP_OK, "Show"},
    {BRENK_TEXT_HELP_PROGRAM_HELP, "Help"},
    {BRENK_TEXT_HELP_CANCEL, "Cancel"},
    {BRENK_TEXT_HELP_PROMPT, "Choose a topic; the program shows it step by step."},
    {BRENK_TEXT_ORDER_CAPTION, "Order sheet"},
    {BRENK_TEXT_ORDER_CLOSE, "Close"},
    {BRENK_TEXT_ORDER_PRINT, "Print"},
    {23360, "Qty"},
    {23361, "Code"},
    {23362, "Item"},
    {23363, "Unit price"},
    {23364, "Total"},
    {23365, "Address:"},
    {23366, "Customer no.:"},
    {23367, "Reference:"},
    {23368, "Price list:"},
    {23369, "Surcharge:"},
    {23370, "Sum:"},
    {23371, "With surcharge:"},
    {BRENK_TEXT_PRINTING_CANCEL, "Cancel"},
    {BRENK_TEXT_PRINTING_LABEL, "Printing the order"},
    {8511, "Welcome! The program now runs by itself and takes a measurement."},
};

static const char* LookUpText(DWORD id) {
    size_t i;
    for (i = 0; i < sizeof hostTexts / sizeof hostTexts[0]; ++i)
        if (hostTexts[i].id == id)
            return hostTexts[i].text;
    return "";
}

/* Called by the module, on this thread, from inside its calls. */
static void WINAPI HostText(DWORD textId, char* buffer, int bufferSize) {
    if (buffer && bufferSize > 0)
        lstrcpynA(buffer, LookUpText(textId), bufferSize);
}

/* --- Loading and unloading ---------------------------------------------- */

#ifndef PLAIN_HOST_IMPORTS
/* Through void (*)(void), the generic function pointer: the export's type
   is the header's, not GetProcAddress's. */
static void (*LookUp(const char* name))(void) {
    return (void (*)(void))GetProcAddress(module, name);
}
#endif

/* The module from the host's own folder, by its full path; that folder
   also holds the catalogue, so it is DemoInit's catalogue folder. */
static int LoadBrenkModule(char* folder, int size) {
    char path[MAX_PATH + 16];
    char* slash;
    GetModuleFileNameA(NULL, folder, size);
    slash = strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';
    else
        folder[0] = '\0';
    lstrcpynA(path, folder, MAX_PATH);
    lstrcatA(path, "brenk_C.dll");
    module = LoadLibraryA(path);
    if (!module)
        return 0;
#ifndef PLAIN_HOST_IMPORTS
    bound.DemoInit = (BrenkDemoInit)LookUp("DemoInit");
    bound.DemoFree = (BrenkDemoFree)LookUp("DemoFree");
    bound.DemoTick = (BrenkDemoTick)LookUp("DemoTick");
    bound.DemoPaint = (BrenkDemoPaint)LookUp("DemoPaint");
    bound.DemoCommand = (BrenkDemoCommand)LookUp("DemoCommand");
    bound.DemoHelp = (BrenkDemoHelp)LookUp("DemoHelp");
    bound.VerFun = (BrenkVerFun)LookUp("VerFun");
    if (!bound.DemoInit || !bound.DemoFree || !bound.DemoTick || !bound.DemoPaint ||
        !bound.DemoCommand || !bound.DemoHelp || !bound.VerFun) {
        FreeLibrary(module);
        module = NULL;
        return 0;
    }
#endif
    if (logFile)
        fprintf(logFile, "loaded, version \"%s\"\n", BIND(VerFun)(NULL, NULL, 0, 0));
    return 1;
}

/* Only from the message loop: never while a call into the module runs. */
static void UnloadBrenkModule(void) {
    unloadPending = 0;
    if (!module)
        return;
#ifndef PLAIN_HOST_IMPORTS
    memset(&bound, 0, sizeof bound);
#endif
    if (FreeLibrary(module) && ranToEnd)
        exitCode = 0;
    Note("unloaded", 0);
    module = NULL;
    if (exitWhenDone)
        DestroyWindow(mainWindow);
}

/* Result 4: DemoFree at once, the unload when the loop runs again. */
static void EndDemonstration(void) {
    KillTimer(mainWindow, TICK_TIMER);
    running = 0;
    BIND(DemoFree)();
    Note("DemoFree", 0);
    unloadPending = 1;
    InvalidateRect(mainWindow, NULL, TRUE);
}

/* command: the one passed to DemoCommand, 0 for a DemoTick */
static void TakeResult(int command, int result) {
    if (logFile && command)
        fprintf(logFile, "DemoCommand %d -> %d\n", command, result);
    else if (logFile && result != BRENK_GO_ON)
        fprintf(logFile, "DemoTick -> %d\n", result);
    if (result == BRENK_SCRIPT_PHASE) {
        InvalidateRect(mainWindow, NULL, TRUE); /* the host's own view again */
    } else if (result == BRENK_DEMO_OVER && running) {
        ranToEnd = 1;
        EndDemonstration();
    }
}

static void StartDemonstration(void) {
    char folder[MAX_PATH];
    int opened;
    if (module)
        return;
    if (!LoadBrenkModule(folder, sizeof folder)) {
        Note("cannot load brenk_C.dll from the program's folder (error %d)", (int)GetLastError());
        if (exitWhenDone)
            DestroyWindow(mainWindow);
        return;
    }
    running = 1;
    SetTimer(mainWindow, TICK_TIMER, TICK_MS, NULL);
    opened = BIND(DemoInit)(mainWindow, instance, HostText, folder, 0);
    Note("DemoInit -> %d", opened);
    if (!opened)
        EndDemonstration();
}

static void ShowHelpTopics(void) {
    char folder[MAX_PATH];
    int script;
    if (module || !LoadBrenkModule(folder, sizeof folder))
        return;
    script = BIND(DemoHelp)(mainWindow, instance, HostText, 1);
    Note("DemoHelp -> %d", script);
    running = 1;
    if (script > 0) {
        SetTimer(mainWindow, TICK_TIMER, TICK_MS, NULL);
        return;
    }
    if (script == BRENK_HELP_PROGRAM)
        MessageBoxA(mainWindow, "The program's own help would open here.", "plain_host", MB_OK);
    EndDemonstration();
}

/* --- The window ---------------------------------------------------------- */

/* 1909, 1910: the control in the main window (low word 1) or in the popup
   in front (0) exists, is visible and enabled. */
static LRESULT ControlReady(LPARAM param) {
    HWND owner = mainWindow;
    HWND control;
    if (LOWORD(param) == 0) {
        owner = GetLastActivePopup(mainWindow);
        if (owner == mainWindow)
            return 0;
    }
    control = GetDlgItem(owner, HIWORD(param));
    return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

static void ShowText(LPARAM param) {
    int id = LOWORD(param), mode = HIWORD(param);
    RECT strip;
    if (mode > BRENK_TEXT_MODE_TITLE)
        return;
    /* Ids 0 and 1 are no texts: 0 clears everything, 1 what the mode shows. */
    if (mode == BRENK_TEXT_MODE_TITLE || id == 0)
        shownTexts[0][0] = shownTexts[1][0] = shownTexts[2][0] = '\0';
    shownTexts[mode][0] = '\0';
    if (id > 1) {
        if (LookUpText(id)[0])
            lstrcpynA(shownTexts[mode], LookUpText(id), sizeof shownTexts[mode]);
        else
            wsprintfA(shownTexts[mode], "(text %d)", id);
    }
    Note("text %d", id);
    GetClientRect(mainWindow, &strip);
    strip.top = strip.bottom - 60;
    InvalidateRect(mainWindow, &strip, TRUE);
}

static void Paint(HWND window) {
    PAINTSTRUCT paint;
    RECT client;
    HDC dc = BeginPaint(window, &paint);
    int line;
    GetClientRect(window, &client);
    if (!(module && BIND(DemoPaint)(dc))) {
        RECT view = client;
        view.bottom -= 60;
        DrawTextA(dc, running ? "The host's own view" : "Demonstration > Start", -1, &view,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (line = 0; line < 3; ++line) {
        static const int order[3] = {BRENK_TEXT_MODE_TITLE, BRENK_TEXT_MODE_EXPLANATION,
                                     BRENK_TEXT_MODE_NOTE};
        TextOutA(dc, 8, client.bottom - 56 + line * 18, shownTexts[order[line]],
                 lstrlenA(shownTexts[order[line]]));
    }
    EndPaint(window, &paint);
}

static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    int id;
    switch (message) {
    case WM_TIMER:
        if (wParam == TICK_TIMER && running)
            TakeResult(0, BIND(DemoTick)(window));
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_COMMAND:
        id = LOWORD(wParam);
        if (id >= BRENK_CMD_NEXT && id <= BRENK_CMD_KEY) {
            if (running)
                TakeResult(id, BIND(DemoCommand)(id, lParam));
            return 0;
        }
        if (id == BRENK_CMD_SHOW_TEXT)
            ShowText(lParam);
        else if (id == BRENK_CMD_READY || id == BRENK_CMD_READY_AFTER_CURSOR)
            return ControlReady(lParam);
        else if (id == CMD_START)
            StartDemonstration();
        else if (id == CMD_HELP_TOPICS)
            ShowHelpTopics();
        else if (id == CMD_EXIT)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (running)
            EndDemonstration();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void ReadCommandLine(void) {
    const char* line = GetCommandLineA();
    const char* log = strstr(line, "--log ");
    exitWhenDone = strstr(line, "--exit-when-done") != NULL;
    if (log) {
        char path[MAX_PATH];
        int length = 0;
        for (log += 6; *log && *log != ' ' && length < MAX_PATH - 1; ++log)
            path[length++] = *log;
        path[length] = '\0';
        logFile = fopen(path, "w");
    }
}

int WINAPI WinMain(HINSTANCE thisInstance, HINSTANCE previous, LPSTR commandLine, int show) {
    WNDCLASSA windowClass;
    MSG msg;
    (void)previous;
    (void)commandLine;
    instance = thisInstance;
    ReadCommandLine();
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(1);
    windowClass.lpszClassName = "PlainHost";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowA("PlainHost", "plain_host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 760, 560, NULL, NULL, instance, NULL);
    if (!mainWindow)
        return 2;
    ShowWindow(mainWindow, show);
    UpdateWindow(mainWindow);
    PostMessageA(mainWindow, WM_COMMAND, CMD_START, 0);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (unloadPending)
            UnloadBrenkModule();
    }
    UnloadBrenkModule();
    if (logFile)
        fclose(logFile);
    return exitCode;
}
