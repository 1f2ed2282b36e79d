// Identification exports.
#include "frame/exports.h"

extern "C" const char* __stdcall VerFun(HWND window, void* callback, int /*a3*/, int /*a4*/) {
    // The callback is only a sign that a real host is calling; it is never called.
    if (window && callback)
        session.hostWindow = window;
    return "K28 15.07.2002";
}

extern "C" int __stdcall DemoFun(int selector) {
    switch (selector) {
    case 0:
        return 2003;
    case 1:
        return 1202;
    default:
        return 6073;
    }
}
