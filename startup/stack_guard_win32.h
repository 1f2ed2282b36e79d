// The stack protector's guard value for this binary (GCC's
// -fstack-protector-strong compares every protected frame against it), and
// how the entry points seed it. SeedStackGuard belongs only in code built
// with -fno-stack-protector, called where no protected frame is live: it
// changes the value a protected caller would compare on its way out.
#ifndef STARTUP_STACK_GUARD_WIN32_H
#define STARTUP_STACK_GUARD_WIN32_H

#include <windows.h>

#include <cstdint>

extern "C" std::uintptr_t __stack_chk_guard;

// The value the guard holds until it is seeded: a program that kept it
// would still be protected, only predictably. scripts/check-hardening.py
// finds the guard in a shipped binary by this value.
constexpr std::uintptr_t kUnseededStackGuard = 0x2F6B1C8Du;

// Folds a 64-bit reading into the guard's width.
inline std::uintptr_t FoldToGuard(unsigned long long value) {
    if (sizeof(std::uintptr_t) == sizeof(value))
        return static_cast<std::uintptr_t>(value);
    return static_cast<std::uintptr_t>(value ^ (value >> 32));
}

// A value an attacker cannot know in advance, mixed as Microsoft's C runtime
// mixes its security cookie: system time, process and thread ids, tick count
// and performance counter. Only kernel32 calls, which need nothing loaded:
// this runs under the loader lock.
inline __attribute__((always_inline)) void SeedStackGuard() {
    FILETIME systemTime;
    GetSystemTimeAsFileTime(&systemTime);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    std::uintptr_t value =
        FoldToGuard((static_cast<unsigned long long>(systemTime.dwHighDateTime) << 32) |
                    systemTime.dwLowDateTime);
    value ^= GetCurrentProcessId();
    value ^= GetCurrentThreadId();
    value ^= GetTickCount();
    value ^= FoldToGuard(static_cast<unsigned long long>(counter.QuadPart));
    // Never the well-known unseeded value, and never with its high half
    // empty (an overflow of short writes would more easily match it).
    if (value == kUnseededStackGuard)
        value ^= 0x10000u;
    if ((value & 0xFFFF0000u) == 0)
        value |= (value | 0x4711u) << 16;
    __stack_chk_guard = value;
}

#endif
