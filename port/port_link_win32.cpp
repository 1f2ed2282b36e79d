// Interface exports passed on to the interface library.
#include <windows.h>

#include "files/library_load_win32.h"
#include "port/port_exports_win32.h"
#include "port/port_link.h"
#include "session/session.h"

namespace {

HMODULE portLibrary = nullptr;

typedef int(__stdcall* SetIComPortFn)(int, int, int, int, unsigned char, unsigned char);
typedef int(__stdcall* CloseIComPortFn)(void);

} // namespace

void LoadPortLibrary() {
    portLibrary = LoadLibraryBeside(session.moduleInstance, kPortLibraryName);
}

void UnloadPortLibrary() {
    if (!portLibrary)
        return;
    CloseIC();
    FreeLibrary(portLibrary);
    portLibrary = nullptr;
}

extern "C" int __stdcall OpenIC(int port, int, int, int, int, int, int) {
    // No real port is opened: only the simulated instrument on port 0 answers.
    return port == 0 ? 1 : -1;
}

extern "C" int __stdcall SetIC(int a1, int a2, int a3, int a4, int a5, int a6) {
    if (!portLibrary)
        return -1;
    auto setPort = reinterpret_cast<SetIComPortFn>(
        reinterpret_cast<void*>(GetProcAddress(portLibrary, kSetPortEntry)));
    if (!setPort)
        return -1;
    return setPort(a1, a2, a3, a4, static_cast<unsigned char>(a5), static_cast<unsigned char>(a6));
}

extern "C" int __stdcall CloseIC(void) {
    if (!portLibrary)
        return 0;
    auto closePort = reinterpret_cast<CloseIComPortFn>(
        reinterpret_cast<void*>(GetProcAddress(portLibrary, kClosePortEntry)));
    return closePort ? closePort() : 0;
}
