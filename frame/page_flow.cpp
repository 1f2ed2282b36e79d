#include "frame/page_flow.h"

int GoToPage(PageFlow& flow, int index, uint32_t now, PageFlowHooks& hooks) {
    if (flow.phase != kPagePhase || index < 0)
        return kDemoOver;
    if (index >= flow.pageCount) {
        if (flow.stepCount <= 0)
            return kPagesOver;
        flow.phase = kScriptPhase;
        flow.nextStepTime = 0;
        flow.stepIndex = -1;
        return kScriptBegun;
    }
    flow.currentPage = index;
    flow.nextPageTime = -1;
    hooks.DrawPage();
    const PageNavigation& page = flow.pages[index];
    if (page.beepType != 0)
        hooks.Beep(page.beepType);
    int32_t d = page.duration;
    if (d < -1)
        d = -d;
    if (d >= 0) {
        // 32-bit wrap-around as the tick counter does; a time that reads as
        // negative disables the advance rather than firing at once.
        const uint32_t due = now + static_cast<uint32_t>(d) * 100u;
        flow.nextPageTime = due > 0x7FFFFFFFu ? 0 : static_cast<int32_t>(due);
    }
    return kGoOn;
}

void EndUserTimedPages(PageFlow& flow) {
    // The page showing now was waiting for the user, who came first: its
    // advance, already counting, ends with it.
    const int current = flow.currentPage;
    if (current >= 0 && current < flow.pageCount && flow.pages[current].duration < -1)
        flow.nextPageTime = -1;
    for (int i = 0; i < flow.pageCount; ++i)
        if (flow.pages[i].duration < -1)
            flow.pages[i].duration = -1;
}

int StepPage(PageFlow& flow, int direction, uint32_t now, PageFlowHooks& hooks) {
    for (int i = 0; i < flow.pageCount; ++i)
        flow.pages[i].repeatActive = 0;
    EndUserTimedPages(flow);
    if (flow.currentPage < 0 || flow.currentPage >= flow.pageCount)
        return kGoOn;
    const PageNavigation& page = flow.pages[flow.currentPage];
    const int target = direction < 0 ? page.prevPage : page.nextPage;
    return target >= 0 ? GoToPage(flow, target, now, hooks) : kGoOn;
}

// Where the current page's time-out leads: the loop target while the loop
// counts down, else the following index (not nextPage).
static int TimedTarget(PageFlow& flow) {
    PageNavigation& page = flow.pages[flow.currentPage];
    if (page.repeatCount == 0)
        return flow.currentPage + 1;
    if (page.repeatActive == 0) {
        page.repeatLeft = page.repeatCount;
        page.repeatActive = 1;
    }
    if (page.repeatLeft > 0) {
        --page.repeatLeft;
        return page.repeatTarget >= 0 ? page.repeatTarget : flow.currentPage + page.repeatTarget;
    }
    page.repeatActive = 0;
    return flow.currentPage + 1;
}

int PageTick(PageFlow& flow, uint32_t now, PageFlowHooks& hooks) {
    while (flow.nextPageTime > 0 && now >= static_cast<uint32_t>(flow.nextPageTime)) {
        if (flow.currentPage >= flow.pageCount)
            return kGoOn;
        const int r = GoToPage(flow, TimedTarget(flow), now, hooks);
        if (r != kGoOn)
            return r;
    }
    return kGoOn;
}
