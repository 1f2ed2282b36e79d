// Module load and unload.
#include "frame/session.h"
#include "port/port_link.h"
#include "print/print_job.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        session.moduleInstance = instance;
        LoadPortLibrary();
        break;
    case DLL_PROCESS_DETACH:
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
