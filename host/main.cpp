// demohost: plays the host application's role for the module brenk_C.dll.
// Loads the module from its own folder, opens a demonstration in its window,
// drives it with ticks and commands, and logs what happens.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/demo_control.h"
#include "host/host_app.h"
#include "host/main_window.h"
#include "host/text_table.h"

namespace {

const char kModuleFileName[] = "brenk_C.dll";
const char kLogFileName[] = "demohost.log";
const unsigned kTitleTextId = 6145;

// Empty when the program's path does not fit MAX_PATH: a cut path would name
// another folder, and no folder at all would leave the module to be searched
// for in the current folder and on PATH.
std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    std::string::size_type separator = folder.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : folder.substr(0, separator + 1);
}

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) {
        arguments.push_back(__argv[i] != nullptr ? __argv[i] : "");
    }
    return arguments;
}

bool AskedToExitWhenDone(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--exit-when-done") {
            return true;
        }
    }
    return false;
}

// A message box, unless the program runs unattended.
void Complain(bool unattended, const std::string& text) {
    if (!unattended) {
        MessageBoxA(nullptr, text.c_str(), "demohost", MB_OK | MB_ICONERROR);
    }
}

int RefuseCommandLine(const std::vector<std::string>& arguments, const std::string& problem) {
    HostApp& app = App();
    if (!app.log.IsOpen()) {
        app.log.Open(kLogFileName);
    }
    app.log.Writef("bad command line: %s", problem.c_str());
    Complain(AskedToExitWhenDone(arguments), "demohost: " + problem +
                                                 "\n\nOptions: --catalogue DIR, --language N, "
                                                 "--screenshots DIR, --exit-when-done, "
                                                 "--no-start, --timeout SECONDS, "
                                                 "--end-script-after SECONDS, "
                                                 "--help-topic ID, --order-demo, --print-order");
    return kExitBadCommandLine;
}

// The log lives beside the screenshots, or in the current directory.
bool OpenLog(HostApp& app) {
    const std::string& folder = app.options.screenshotDirectory;
    if (folder.empty()) {
        return app.log.Open(kLogFileName);
    }
    CreateDirectoryA(folder.c_str(), nullptr); // an existing folder is fine
    return app.log.Open(WithTrailingSeparator(folder) + kLogFileName);
}

std::string WindowTitle(const std::string& versionText) {
    const char* title = HostText(kTitleTextId);
    std::string caption = title != nullptr ? title : "Demonstration";
    return versionText.empty() ? caption : caption + " - module " + versionText;
}

void LogStart(HostApp& app) {
    const HostOptions& options = app.options;
    app.log.Writef(
        "demohost started: catalogue \"%s\" language %d screenshots \"%s\"%s%s "
        "timeout %d end-script-after %d help-topic %d",
        app.catalogueDirectory.c_str(), options.language, options.screenshotDirectory.c_str(),
        options.exitWhenDone ? " exit-when-done" : "", options.autoStart ? "" : " no-start",
        options.timeoutSeconds, options.endScriptAfterSeconds, options.helpTopic);
}

bool OpenWindow(HostApp& app, int showCommand) {
    if (!RegisterMainWindowClass(app.instance)) {
        return false;
    }
    app.window = CreateMainWindow(app.instance, app.title);
    if (app.window == nullptr) {
        return false;
    }
    ShowWindow(app.window, showCommand);
    UpdateWindow(app.window);
    SetTimer(app.window, kHousekeepingTimerId, kHousekeepingIntervalMs, nullptr);
    if (app.options.timeoutSeconds > 0) {
        SetTimer(app.window, kTimeoutTimerId,
                 SecondsAsTimerMilliseconds(app.options.timeoutSeconds), nullptr);
    }
    RefreshHostWindow();
    if (app.options.autoStart) {
        PostMessageA(app.window, kAutoStartMessage, 0, 0);
    }
    return true;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The window goes first: the module's show window and its procedure must be
// gone before the module's code is unloaded.
void CloseDown(HostApp& app) {
    if (app.window != nullptr && IsWindow(app.window)) {
        DestroyWindow(app.window);
    }
    ShutdownDemonstration();
    app.module.Unload();
    app.log.Writef("exit %d", app.exitCode);
    app.log.Close();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HostApp& app = App();
    app.instance = instance;
    app.programFolder = ProgramFolder();
    const std::vector<std::string> arguments = CommandLineArguments();
    OptionsParse parse = ParseHostOptions(arguments);
    if (!parse.ok) {
        return RefuseCommandLine(arguments, parse.error);
    }
    app.options = parse.options;
    if (!OpenLog(app)) {
        return RefuseCommandLine(arguments, "cannot write " + std::string(kLogFileName) + " in " +
                                                app.options.screenshotDirectory);
    }
    app.catalogueDirectory = WithTrailingSeparator(app.options.catalogueDirectory.empty()
                                                       ? app.programFolder
                                                       : app.options.catalogueDirectory);
    LogStart(app);

    std::string problem;
    if (!app.module.Load(app.programFolder + kModuleFileName, problem)) {
        app.log.Writef("module not loaded: %s", problem.c_str());
        Complain(app.options.exitWhenDone, "demohost: " + problem);
        app.log.Writef("exit %d", kExitModuleFailed);
        return kExitModuleFailed;
    }
    // Without window and callback VerFun only answers; with them it would
    // register the window and make DemoInit refuse to open a session.
    const char* version = app.module.Exports().verFun(nullptr, nullptr, 0, 0);
    app.versionText = version != nullptr ? version : "";
    app.log.Writef("VerFun -> \"%s\"", app.versionText.c_str());
    app.title = WindowTitle(app.versionText);

    if (!OpenWindow(app, showCommand)) {
        app.log.Write("main window not created");
        Complain(app.options.exitWhenDone, "demohost: the main window cannot be created");
        app.exitCode = kExitModuleFailed;
    } else {
        RunMessageLoop();
    }
    CloseDown(app);
    return app.exitCode;
}
