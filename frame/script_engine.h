// The script phase's engine: runs the selected script's steps against the
// host's windows, one due step per tick. Portable: everything it does to the
// host goes through ScriptHost, the clock included, so the same engine runs
// on the host's windows, in tests on a clock they drive, and in benchmarks.
#pragma once

#include <cstdint>

#include "frame/host_ids.h"
#include "frame/page_flow.h"
#include "frame/script_directory.h"

// What RunStep reports to ScriptTick.
enum StepResult : int {
    kStepDone = 0,
    kStepStop = 4,     // the script ends
    kStepNotReady = 5, // the window or control the step needs is not there yet
    kStepInvalid = 6,
    kStepRedo = 7, // the cursor was flashed: run the step again once its pause is over
};

constexpr uint32_t kRetryPeriodMs = 10000;
constexpr uint32_t kCursorStepPauseMs = 500;
constexpr uint32_t kActionPauseMs = 300; // cursor flash halves, button press halves, typing
constexpr int kTypedTextSize = 99;

// The host's windows as one step sees them. TakeFrontWindow picks the window
// the step works in and TakeControl a control of it; the calls after them
// act on what was taken.
class ScriptHost {
  public:
    virtual ~ScriptHost() = default;

    // The millisecond tick counter, and a busy wait on it.
    virtual uint32_t Now() = 0;
    virtual void Wait(uint32_t milliseconds) = 0;

    // The host window's last active popup, or the host window itself; false
    // when there is none or it is no window.
    virtual bool TakeFrontWindow() = 0;
    virtual bool FrontIsHostWindow() = 0;
    virtual void ActivateFront() = 0;

    // To the host window: a text to show (1908), a readiness question (1909,
    // 1910; true when the host answers non-zero).
    virtual void SendText(uint32_t param) = 0;
    virtual bool AskReady(int command, uint32_t param) = 0;
    // To the front window: a key (1907) or a command, posted.
    virtual void PostToFront(int command, uint32_t param) = 0;

    // Control `id` of the front window; false when it has none.
    virtual bool TakeControl(int32_t id) = 0;
    virtual bool ControlIsButton() = 0;
    virtual void PressControl() = 0;   // left button down, sent
    virtual void ReleaseControl() = 0; // left button up, posted
    virtual void ShowControlText(const char* text) = 0;
    virtual void ApplyControlAction(int32_t action) = 0; // ControlAction 1..6

    // False when there is no big cursor to show.
    virtual bool ShowBigCursor() = 0;
    virtual void RestoreCursor() = 0;

    virtual void FetchHostText(int32_t textId, char* buffer, int bufferSize) = 0;
};

// Runs the current step (flow.steps[flow.stepIndex]); a StepResult.
int RunStep(PageFlow& flow, bool activate, ScriptHost& host);

// One tick of the script phase; a result code for DemoTick (0 or 4). A script
// that ended stays ended: later ticks return 0 and run nothing.
int ScriptTick(PageFlow& flow, ScriptHost& host);

// The second parameter of 1908, 1909/1910 and 1907 for a step.
uint32_t TextParam(const ScriptStep& step);
uint32_t ReadyParam(const ScriptStep& step);
uint32_t KeyParam(const ScriptStep& step);
