// Interface library stand-in for a simulated instrument: it only remembers
// which of its ports is "open", and logs every call for tests.
#include <windows.h>

#include "common/call_log.h"

namespace {

const char kLogVariable[] = "FENNIK_LOG";
const int kFirstPort = 1;
const int kLastPort = 8;
const int kPortUnavailable = -2;

int openPort = 0; // 0: none

} // namespace

extern "C" {

// A second open replaces the first; the simulated instrument has one link.
int __stdcall SetIComPort(int port, int a2, int a3, int a4, unsigned char a5, unsigned char a6) {
    standin::AppendCallLog(kLogVariable, "SetIComPort %d %d %d %d %u %u", port, a2, a3, a4,
                           static_cast<unsigned>(a5), static_cast<unsigned>(a6));
    if (port < kFirstPort || port > kLastPort)
        return kPortUnavailable;
    openPort = port;
    return 1;
}

int __stdcall CloseIComPort(void) {
    standin::AppendCallLog(kLogVariable, "CloseIComPort");
    if (openPort == 0)
        return 0;
    openPort = 0;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH)
        standin::AppendCallLog(kLogVariable, "detach");
    return TRUE;
}

} // extern "C"
