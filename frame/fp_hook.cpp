// Floating-point error hook: errors are only recorded, never fatal.
#include <csignal>
#include <float.h>

#include "frame/exports.h"
#include "frame/fp_hook.h"

// MinGW's float.h leaves out the status-word names; the bits are the CRT's.
#ifndef _SW_INVALID
#define _SW_UNDERFLOW 0x00000002
#define _SW_OVERFLOW 0x00000004
#define _SW_ZERODIVIDE 0x00000008
#define _SW_INVALID 0x00000010
#define _SW_DENORMAL 0x00080000
#endif

namespace {

constexpr unsigned int kErrorStatus =
    _SW_INVALID | _SW_DENORMAL | _SW_ZERODIVIDE | _SW_OVERFLOW | _SW_UNDERFLOW;

void __cdecl OnFloatingPointSignal(int) {
    session.fpErrorFlag = 1;
    signal(SIGFPE, OnFloatingPointSignal);
}

void RecordPendingErrors() {
    // The precision flag is left out: inexact results are normal.
    if (_statusfp() & kErrorStatus) {
        _clearfp();
        session.fpErrorFlag = 1;
    }
}

void InstallTrap() {
    signal(SIGFPE, OnFloatingPointSignal);
    session.savedFpMasks = _controlfp(0, 0) & _MCW_EM;
    _controlfp(_MCW_EM, _MCW_EM);
    session.fpTrapInstalled = 1;
}

void RemoveTrap() {
    signal(SIGFPE, SIG_DFL);
    _clearfp();
    _controlfp(session.savedFpMasks, _MCW_EM);
    session.fpTrapInstalled = 0;
}

} // namespace

void RemoveFloatingPointTrap() {
    if (session.fpTrapInstalled)
        RemoveTrap();
}

extern "C" int __stdcall DllFPError(int mode) {
    RecordPendingErrors();
    if (mode > 0 && !session.fpTrapInstalled)
        InstallTrap();
    else if (mode == 0 && session.fpTrapInstalled)
        RemoveTrap();
    if (mode >= 0)
        session.fpErrorFlag = 0;
    return session.fpErrorFlag;
}
