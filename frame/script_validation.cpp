#include "frame/script_validation.h"

namespace {

bool RuleWindowKnown(const ScriptStep& s) {
    return s.window == kNoWindow || s.window == kMainWindow || s.window == kPopupWindow;
}

// A text step names no window unless it also names a control.
bool RuleTextStepWindow(const ScriptStep& s) {
    return !(IsTextKind(s.kind) && s.control == 0 && s.window != kNoWindow);
}

// Keys go to the main window only, as a plain key code.
bool RuleKeyStep(const ScriptStep& s) {
    if (s.kind != kKeyStep)
        return true;
    return s.control != 0 && s.window == kMainWindow && s.text == nullptr && s.cursor == 0;
}

bool RuleControlNamed(const ScriptStep& s) {
    return s.kind < kClickStep || (s.control != 0 && s.window != kNoWindow);
}

bool RuleClickHasNoText(const ScriptStep& s) {
    return s.kind != kClickStep || s.text == nullptr;
}

bool RuleTypeStep(const ScriptStep& s) {
    return s.kind != kTypeStep ||
           (s.window == kPopupWindow && (s.text != nullptr || s.textId != 0));
}

bool RuleControlStep(const ScriptStep& s) {
    return s.kind != kControlStep || (s.window == kPopupWindow && s.subAction != 0);
}

// The cursor is flashed over a window, so a step without one cannot flash it.
bool RuleCursorNeedsWindow(const ScriptStep& s) {
    return s.cursor == 0 || s.window != kNoWindow;
}

bool RuleRepeatOnlyForActions(const ScriptStep& s) {
    return !(IsTextKind(s.kind) || s.kind == kTypeStep) || s.repeat <= 0;
}

using Rule = bool (*)(const ScriptStep&);
const Rule kRules[] = {RuleWindowKnown,  RuleTextStepWindow,    RuleKeyStep,
                       RuleControlNamed, RuleClickHasNoText,    RuleTypeStep,
                       RuleControlStep,  RuleCursorNeedsWindow, RuleRepeatOnlyForActions};

} // namespace

int BrokenStepRule(const ScriptStep& step) {
    int number = 1;
    for (Rule rule : kRules) {
        if (!rule(step))
            return number;
        ++number;
    }
    return 0;
}
