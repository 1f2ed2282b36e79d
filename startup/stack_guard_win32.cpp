// The stack protector's guard and its failure, our own rather than GCC's
// libssp (a runtime DLL, or a static copy whose guard set-up loads the
// crypto library). Built without the protector: the failure must not check
// a frame of its own.
#include "startup/stack_guard_win32.h"

extern "C" {

std::uintptr_t __stack_chk_guard = kUnseededStackGuard;

// A protected frame found its guard copy overwritten: the stack is no longer
// ours. Nothing may run that could be steered by it (no handler, no message
// box, no library load, no return): the process ends at once with the
// status Windows gives a stack buffer overrun.
__attribute__((noreturn)) void __stack_chk_fail() {
    constexpr UINT kStackBufferOverrun = 0xC0000409u;
    for (;;)
        TerminateProcess(GetCurrentProcess(), kStackBufferOverrun);
}

} // extern "C"
