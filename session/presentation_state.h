// The presentation state of the session: phase, page, the page table's
// navigation fields and the script selection. Portable; the page flow
// (frame/page_flow.h) and the script engine move it along, the drawing and
// the help dialog read it.
#pragma once

#include <cstdint>

struct ScriptStep;

enum Phase : int { kNoPhase = 0, kPagePhase = 1, kScriptPhase = 3 };

// Results of DemoTick and DemoCommand.
enum ResultCode : int { kGoOn = 0, kPagesOver = 2, kScriptBegun = 3, kDemoOver = 4 };

// Navigation fields of one page; duration and the loop fields change while
// the module is loaded and keep their values until it is unloaded.
struct PageNavigation {
    int32_t duration; // tenths of a second; -1 none; below -1 until the user navigates
    int8_t prevPage;
    int8_t nextPage;
    int32_t beepType;
    int8_t repeatCount;
    int8_t repeatTarget; // negative: relative to the page's own index
    int8_t repeatActive;
    int8_t repeatLeft;
};

struct PageFlow {
    int phase;
    int currentPage;
    int pageCount;
    int32_t nextPageTime; // tick time; 0 or less: no automatic advance pending
    PageNavigation* pages;
    // Script selection, read when the pages run out and run by the script
    // phase (frame/script_engine.h).
    ScriptStep* steps; // null when no script is selected
    int stepCount;
    int stepIndex;
    uint32_t nextStepTime;
    uint32_t retryDeadline; // tick time; 0 when no retry is pending
};
