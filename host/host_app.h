// The demo host's state: one instance for the life of the program. The
// module's text callback has no context argument, so the state is reachable
// through App().
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <utility>

#include "host/demo_progress.h"
#include "host/event_log.h"
#include "host/host_options.h"
#include "host/instrument.h"
#include "host/module_link.h"
#include "host/shot_schedule.h"
#include "host/text_panel.h"

// Exit codes of the program.
constexpr int kExitNormal = 0;
constexpr int kExitModuleFailed = 1; // brenk_C.dll missing or DemoInit failed
constexpr int kExitTimeout = 2;
constexpr int kExitBadCommandLine = 3; // also: the screenshot folder cannot be written

struct HostApp {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HostOptions options;
    std::string programFolder;      // with trailing separator
    std::string catalogueDirectory; // with trailing separator, as DemoInit gets it
    std::string versionText;        // VerFun's answer
    std::string title;              // the main window's caption

    EventLog log;
    ModuleLink module;
    DemoProgress progress;
    ShotSchedule shots;
    unsigned long lastPeriodicShot = 0;

    // A DemoInit or DemoHelp call has opened the module's session. The module
    // never closes it again, so a fresh start needs a freshly loaded module.
    bool moduleSessionUsed = false;
    // DemoInit or DemoHelp ran and DemoFree has not followed yet.
    bool moduleSessionNeedsFree = false;
    // Depth of the module calls in progress. Modal loops inside the module
    // (order sheet, help list) dispatch our messages; ticks and commands must
    // not re-enter the module then.
    int moduleCallDepth = 0;
    std::deque<std::pair<WPARAM, LPARAM>> deferredCommands;
    int lastTickResult = 0;

    TextPanel panel;
    Instrument instrument;
    // The host's own dialog in front, if any (one at a time: they are modal).
    HWND openDialog = nullptr;
    std::string statusShown;
    bool closeRequested = false;
    int exitCode = kExitNormal;
};

HostApp& App();

// The callback handed to the module: writes the host text kept under `textId`.
void __stdcall HostTextForModule(DWORD textId, char* buffer, int bufferSize);
