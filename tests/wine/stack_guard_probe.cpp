// A program built as the shipped ones are (brenk_harden): a planted stack
// overflow ends the process with STATUS_STACK_BUFFER_OVERRUN instead of
// returning, a call within bounds does not, and each process seeds a guard
// of its own. Run without arguments, it runs itself as the child cases:
//   stack_guard_probe overflow   copies 64 bytes into an 8-byte buffer
//   stack_guard_probe guard      exits with its guard value (low 32 bits)
#include "startup/stack_guard_win32.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kStackBufferOverrun = 0xC0000409u;
const char kText[64] = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";

__attribute__((noinline)) int CopyIntoSmallBuffer(const char* text, std::size_t length) {
    char buffer[8];
    std::memcpy(buffer, text, length);
    return buffer[0];
}

DWORD ExitCodeOfChild(const char* mode) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char commandLine[MAX_PATH + 32];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" %s", path, mode);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

int failures = 0;

void Expect(bool holds, const char* what, unsigned long value) {
    std::printf("%s: %s (0x%08lX)\n", holds ? "ok" : "FAILED", what, value);
    failures += holds ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // The length is only known at run time, so the compiler cannot warn it away.
    volatile std::size_t length = sizeof kText;
    if (argc > 1 && std::strcmp(argv[1], "overflow") == 0) {
        int first = CopyIntoSmallBuffer(kText, length);
        std::printf("returned from the overflowing function (%d)\n", first);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "guard") == 0)
        return static_cast<int>(__stack_chk_guard);

    length = 8;
    Expect(CopyIntoSmallBuffer(kText, length) == 'A', "a copy within bounds returns", length);
    DWORD overflow = ExitCodeOfChild("overflow");
    Expect(overflow == kStackBufferOverrun, "the planted overflow ends its process with 0xC0000409",
           overflow);
    DWORD first = ExitCodeOfChild("guard");
    DWORD second = ExitCodeOfChild("guard");
    Expect(static_cast<DWORD>(__stack_chk_guard) != static_cast<DWORD>(kUnseededStackGuard),
           "this process's guard is seeded", static_cast<unsigned long>(__stack_chk_guard));
    Expect(first != second && first != kUnseededStackGuard && second != kUnseededStackGuard,
           "two child processes seed guards of their own", first ^ second);
    return failures == 0 ? 0 : 1;
}
