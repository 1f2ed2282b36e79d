// Page navigation of the page phase and the hand-over to the script phase.
// Portable: drawing, beeping and the clock come in from the caller.
#pragma once

#include <cstdint>

#include "session/presentation_state.h"

// What showing a page needs from the platform.
class PageFlowHooks {
  public:
    virtual ~PageFlowHooks() = default;
    virtual void DrawPage() = 0;
    virtual void Beep(int32_t beepType) = 0;
};

int GoToPage(PageFlow& flow, int index, uint32_t now, PageFlowHooks& hooks);
int StepPage(PageFlow& flow, int direction, uint32_t now, PageFlowHooks& hooks);
int PageTick(PageFlow& flow, uint32_t now, PageFlowHooks& hooks);

// A user's navigation ends every "advance until the user navigates" page,
// and the pending advance of the one showing.
void EndUserTimedPages(PageFlow& flow);
