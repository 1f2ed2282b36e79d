// Which script steps the engine refuses to run.
#pragma once

#include "frame/script_directory.h"

// Step kinds and control sub-actions as the script tables spell them.
enum StepKind : int32_t {
    kTitleStep = 0,
    kTextStep = 1,
    kNoteStep = 2,
    kKeyStep = 3,
    kClickStep = 4,
    kTypeStep = 5,
    kControlStep = 6,
    kWaitStep = 7,
};

enum StepWindow : int32_t { kNoWindow = 0, kMainWindow = 1, kPopupWindow = 2 };

enum ControlAction : int32_t {
    kArrowDown = 1,
    kArrowUp = 2,
    kCheck = 3,
    kUncheck = 4,
    kOpenDropDown = 5,
    kCloseDropDown = 6,
};

// 0 for a step the engine may run, else the number (1..9) of the first rule
// it breaks, in the order the rules are listed in script_validation.cpp.
int BrokenStepRule(const ScriptStep& step);

inline bool IsInvalidStep(const ScriptStep& step) {
    return BrokenStepRule(step) != 0;
}

// Text steps only tell the host what to show; they need no window.
inline bool IsTextKind(int32_t kind) {
    return kind == kTitleStep || kind == kTextStep || kind == kNoteStep;
}
