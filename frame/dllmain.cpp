// Module load and unload.
#include "frame/exports.h"
#include "frame/fp_hook.h"
#include "frame/show_window.h"
#include "port/port_link.h"
#include "print/print_job.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        session.moduleInstance = instance;
        LoadPortLibrary();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit (reserved is set) the other libraries may be
        // detached already, the interface library among them, and everything
        // goes with the process: nothing is called, released or freed.
        if (reserved != nullptr)
            break;
        // Unloaded while the process lives: nothing may stay behind, least of
        // all something that calls into this code. A host that did not call
        // DemoFree gets it done here (the show ends, the drawing objects go),
        // the show window's class is taken back, and so is a floating-point
        // trap the host left installed.
        DemoFree();
        UnregisterShowClass();
        RemoveFloatingPointTrap();
        UnloadPortLibrary();
        // The printer chosen last is kept for the next job while the module
        // stays loaded.
        ReleasePrinterChoice();
        break;
    default:
        break;
    }
    return TRUE;
}
