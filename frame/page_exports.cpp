// The host's periodic tick, its paint call and its navigation commands.
#include "frame/exports.h"
#include "frame/host_ids.h"
#include "frame/page_control.h"
#include "frame/page_flow.h"
#include "frame/script_phase.h"
#include "order/order_sheet.h"
#include "print/print_order.h"
#include "render/draw_page.h"
#include "session/module_dialogs.h"

namespace {

class HostWindowPageHooks : public PageFlowHooks {
  public:
    void DrawPage() override { ::DrawPage(); }
    void Beep(int32_t beepType) override { MessageBeep(static_cast<UINT>(beepType)); }
};

int StepPageNow(int direction) {
    HostWindowPageHooks hooks;
    return StepPage(session.flow, direction, GetTickCount(), hooks);
}

int OpenOrderSheet() {
    // One sheet at a time, and none over the help list or a print job.
    if (ModuleDialogOpen())
        return kGoOn;
    EndUserTimedPages(session.flow);
    ShowOrderSheet(PrintOrderSheet);
    return kGoOn;
}

int RunTick(HWND window) {
    if (session.flow.phase == kPagePhase) {
        HostWindowPageHooks hooks;
        return PageTick(session.flow, GetTickCount(), hooks);
    }
    if (session.flow.phase == kScriptPhase && window && IsWindow(window))
        return ScriptTick();
    return kGoOn;
}

// Set while a tick runs: a host that shows a window of its own in answer to a
// script step may tick again from inside it.
bool tickRunning = false;

} // namespace

int ShowPage(int index) {
    HostWindowPageHooks hooks;
    return GoToPage(session.flow, index, GetTickCount(), hooks);
}

extern "C" int __stdcall DemoTick(HWND window) {
    // The module's dialogs run the host's timer. While one is open nothing
    // moves: no page times out under it and no script step acts on the
    // host's windows behind it.
    if (ModuleDialogOpen() || tickRunning)
        return kGoOn;
    tickRunning = true;
    const int result = RunTick(window);
    tickRunning = false;
    return result;
}

extern "C" int __stdcall DemoPaint(HDC dc) {
    if (!session.pageDc || session.flow.phase != kPagePhase)
        return 0;
    HPALETTE previous = nullptr;
    if (session.pagePalette) {
        previous = SelectPalette(dc, session.pagePalette, FALSE);
        RealizePalette(dc);
    }
    int result = BitBlt(dc, CentringOffset(session.pageAreaWidth, kPageWidth),
                        CentringOffset(session.pageAreaHeight, kPageHeight), kPageWidth,
                        kPageHeight, session.pageDc, 0, 0, SRCCOPY);
    if (session.pagePalette)
        result = SelectPalette(dc, previous, FALSE) != nullptr;
    return result;
}

extern "C" int __stdcall DemoCommand(int command, LPARAM /*param*/) {
    const bool pagePhase = session.flow.phase == kPagePhase;
    switch (command) {
    case kNextCommand:
        return pagePhase ? StepPageNow(+1) : kGoOn;
    case kPreviousCommand:
        return pagePhase ? StepPageNow(-1) : kGoOn;
    case kEndCommand:
        return kDemoOver;
    case kOrderSheetCommand:
        return pagePhase ? OpenOrderSheet() : kGoOn;
    default:
        return kGoOn;
    }
}
