// The host's periodic tick, its paint call and its navigation commands.
#include "frame/exports.h"
#include "frame/host_ids.h"
#include "frame/page_control.h"
#include "frame/page_flow.h"
#include "frame/script_phase.h"
#include "order/order_sheet.h"
#include "print/print_order.h"
#include "render/draw_page.h"

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
    EndUserTimedPages(session.flow);
    ShowOrderSheet(PrintOrderSheet);
    return kGoOn;
}

} // namespace

int ShowPage(int index) {
    HostWindowPageHooks hooks;
    return GoToPage(session.flow, index, GetTickCount(), hooks);
}

extern "C" int __stdcall DemoTick(HWND window) {
    if (session.flow.phase == kPagePhase) {
        HostWindowPageHooks hooks;
        return PageTick(session.flow, GetTickCount(), hooks);
    }
    if (session.flow.phase == kScriptPhase && window && IsWindow(window))
        return ScriptTick();
    return kGoOn;
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
