// The entry point of our DLLs: seeds the stack guard at process attach, then
// hands over to the C runtime's entry, which runs the static constructors
// and DllMain. Nothing of this DLL has run yet at that moment, so no
// protected frame of ours is on the stack to find its guard copy stale;
// seeding inside DllMain would come after the constructors and under frames
// of our own.
#include "startup/stack_guard_win32.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI BrenkDllEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    // Only once per load: other threads' frames hold the current value.
    if (reason == DLL_PROCESS_ATTACH)
        SeedStackGuard();
    return DllMainCRTStartup(instance, reason, reserved);
}
