// The entry points of our programs: seed the stack guard before the C
// runtime's own entry runs anything of ours. A constructor would be too
// late: on MinGW the static constructors run from inside main, whose frame
// would then return against a changed guard.
#include "startup/stack_guard_win32.h"

extern "C" int mainCRTStartup();
extern "C" int WinMainCRTStartup();

extern "C" int BrenkConsoleEntry() {
    SeedStackGuard();
    return mainCRTStartup();
}

extern "C" int BrenkWindowsEntry() {
    SeedStackGuard();
    return WinMainCRTStartup();
}
