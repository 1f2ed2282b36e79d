// Entry points of the show library stand-in. Every call is logged first, so
// a test sees the calls the module made even when they change nothing.
#include <windows.h>

#include "common/call_log.h"
#include "pavlo/show_player.h"

namespace {

const char kLogVariable[] = "PAVLO_LOG";
HINSTANCE libraryInstance = nullptr;

} // namespace

extern "C" {

int __stdcall Istart(HWND showWindow, const char* scriptName, int controlId, int buttonId,
                     int startMode) {
    standin::AppendCallLog(kLogVariable, "Istart %08lX %s %d %d %d",
                           static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(showWindow)),
                           scriptName != nullptr ? scriptName : "(null)", controlId, buttonId,
                           startMode);
    return pavlo::TheShowPlayer().Start(libraryInstance, showWindow, scriptName, controlId,
                                        buttonId, startMode)
               ? 1
               : 0;
}

int __stdcall Istop(void) {
    standin::AppendCallLog(kLogVariable, "Istop");
    pavlo::TheShowPlayer().Stop();
    return 1;
}

int __stdcall ForceGo(void) {
    standin::AppendCallLog(kLogVariable, "ForceGo");
    pavlo::TheShowPlayer().Go();
    return 1;
}

int __stdcall ForcePaint(int state) {
    standin::AppendCallLog(kLogVariable, "ForcePaint %d", state);
    pavlo::TheShowPlayer().Repaint(state);
    return 1;
}

int __stdcall ClickedButton(int code) {
    standin::AppendCallLog(kLogVariable, "ClickedButton %d", code);
    pavlo::TheShowPlayer().Click(code);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        libraryInstance = instance;
    } else if (reason == DLL_PROCESS_DETACH) {
        // Released while its windows live, the library's code goes from under
        // them: say so, for the tests to see.
        const int alive = reserved == nullptr ? pavlo::TheShowPlayer().LiveWindows() : 0;
        if (reserved == nullptr)
            pavlo::TheShowPlayer().Abandon();
        if (alive > 0)
            standin::AppendCallLog(kLogVariable, "detach with %d windows alive", alive);
        else
            standin::AppendCallLog(kLogVariable, "detach");
    }
    return TRUE;
}

} // extern "C"
