// Module load and unload.
#include "frame/exports.h"
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
        // Unloaded while the process lives (reserved is null): nothing may
        // stay behind, least of all something that calls into this code. A
        // host that did not call DemoFree gets it done here (the show ends,
        // the drawing objects go), and the show window's class is taken
        // back. At process exit all of it goes with the process.
        if (reserved == nullptr) {
            DemoFree();
            UnregisterShowClass();
        }
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
