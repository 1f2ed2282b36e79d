#include "frame/script_engine.h"

#include "frame/script_validation.h"

namespace {

uint32_t Low16(int32_t value) {
    return static_cast<uint32_t>(value) & 0xFFFFu;
}

int TextMode(int32_t kind) {
    return kind == kTextStep ? 0 : kind == kNoteStep ? 1 : 2;
}

void FlashCursor(ScriptHost& host) {
    if (!host.ShowBigCursor())
        return;
    host.Wait(kActionPauseMs);
    host.RestoreCursor();
    host.Wait(kActionPauseMs);
}

void PressButton(ScriptHost& host) {
    host.PressControl();
    host.Wait(kActionPauseMs);
    host.ReleaseControl();
    host.Wait(kActionPauseMs);
}

// One character more every 300 ms, so the user can watch it being typed.
void TypeText(ScriptHost& host, const char* text) {
    char shown[kTypedTextSize + 1];
    int length = 0;
    for (const char* next = text; *next != '\0' && length < kTypedTextSize; ++next) {
        shown[length++] = *next;
        shown[length] = '\0';
        host.ShowControlText(shown);
        host.Wait(kActionPauseMs);
    }
}

// Dialog buttons are pressed with the mouse once the cursor has pointed at
// them; everything else, and every command of the main window, is posted.
int Click(const ScriptStep& step, ScriptHost& host) {
    if (step.window != kMainWindow && step.cursor != 0) {
        if (!host.TakeControl(step.control))
            return kStepNotReady;
        if (host.ControlIsButton()) {
            PressButton(host);
            return kStepDone;
        }
    }
    host.PostToFront(step.control, 0);
    return kStepDone;
}

int Type(const ScriptStep& step, ScriptHost& host) {
    if (!host.TakeControl(step.control))
        return kStepNotReady;
    char fetched[kTypedTextSize];
    const char* text = step.text;
    if (text == nullptr) {
        fetched[0] = '\0';
        host.FetchHostText(step.textId, fetched, kTypedTextSize);
        fetched[kTypedTextSize - 1] = '\0';
        text = fetched;
    }
    if (text[0] == '\0')
        return kStepStop;
    TypeText(host, text);
    return kStepDone;
}

int ActOnControl(const ScriptStep& step, ScriptHost& host) {
    if (!host.TakeControl(step.control))
        return kStepNotReady;
    if (step.subAction < kArrowDown || step.subAction > kCloseDropDown)
        return kStepStop;
    host.ApplyControlAction(step.subAction);
    return kStepDone;
}

int Act(const ScriptStep& step, ScriptHost& host) {
    switch (step.kind) {
    case kKeyStep:
        host.PostToFront(kKeyCommand, KeyParam(step));
        return kStepDone;
    case kClickStep:
        return Click(step, host);
    case kTypeStep:
        return Type(step, host);
    case kControlStep:
        return ActOnControl(step, host);
    default:
        return kStepStop;
    }
}

// The script is over for good: later ticks must not run another of its steps.
int EndScript(PageFlow& flow) {
    flow.retryDeadline = 0;
    flow.stepIndex = flow.stepCount;
    return 4;
}

bool Before(uint32_t now, uint32_t time) {
    return now < time;
}

} // namespace

uint32_t TextParam(const ScriptStep& step) {
    return Low16(step.textId) + static_cast<uint32_t>(TextMode(step.kind)) * 65536u;
}

uint32_t ReadyParam(const ScriptStep& step) {
    return Low16(step.control) * 65536u + (step.window == kMainWindow ? 1u : 0u);
}

uint32_t KeyParam(const ScriptStep& step) {
    return Low16(step.control);
}

int RunStep(PageFlow& flow, bool activate, ScriptHost& host) {
    ScriptStep& step = flow.steps[flow.stepIndex];
    if (IsInvalidStep(step))
        return kStepInvalid;
    if (!host.TakeFrontWindow())
        return kStepStop;
    if (activate)
        host.ActivateFront();
    // A negative delay counts as none rather than as a wait of weeks.
    const uint32_t delay = step.delay > 0 ? static_cast<uint32_t>(step.delay) : 0u;
    const uint32_t pause = step.cursor > 0 ? kCursorStepPauseMs : delay * 100u;
    flow.nextStepTime = host.Now() + pause;
    if (IsTextKind(step.kind)) {
        host.SendText(TextParam(step));
        return kStepDone;
    }
    if ((step.window == kMainWindow) != host.FrontIsHostWindow())
        return kStepNotReady;
    if (step.kind >= kClickStep) {
        const int query = step.cursor > 0 ? kReadyAfterCursorCommand : kReadyCommand;
        if (!host.AskReady(query, ReadyParam(step)))
            return kStepNotReady;
    }
    if (step.kind == kWaitStep)
        return kStepDone;
    if (step.cursor > 0) {
        FlashCursor(host);
        step.cursor = -step.cursor;
        return kStepRedo;
    }
    return Act(step, host);
}

int ScriptTick(PageFlow& flow, ScriptHost& host) {
    if (flow.steps == nullptr || flow.stepIndex >= flow.stepCount)
        return 0;
    if (flow.stepIndex < -1) // never set so; start over rather than read before the table
        flow.stepIndex = -1;
    int result;
    if (flow.retryDeadline != 0) {
        result = RunStep(flow, false, host);
    } else {
        if (Before(host.Now(), flow.nextStepTime))
            return 0;
        ScriptStep* current = flow.stepIndex >= 0 ? &flow.steps[flow.stepIndex] : nullptr;
        if (current != nullptr && current->repeat > 0)
            --current->repeat;
        else
            ++flow.stepIndex;
        if (flow.stepIndex >= flow.stepCount)
            return 4;
        result = RunStep(flow, true, host);
    }
    if (result == kStepNotReady) {
        if (flow.retryDeadline == 0) {
            flow.retryDeadline = host.Now() + kRetryPeriodMs;
            return 0;
        }
        if (Before(host.Now(), flow.retryDeadline))
            return 0;
        return EndScript(flow);
    }
    flow.retryDeadline = 0;
    switch (result) {
    case kStepDone:
        return 0;
    case kStepRedo:
        --flow.stepIndex;
        return 0;
    default:
        return EndScript(flow);
    }
}
