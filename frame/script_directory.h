// The built-in automation scripts and the script selection.
#pragma once

#include <cstdint>

struct ScriptStep {
    int32_t window; // 0 none, 1 the host's main window, 2 a popup of it
    int32_t textId;
    int32_t control;
    int32_t kind;
    int32_t subAction;
    const char* text;
    int32_t delay;  // tenths of a second
    int32_t cursor; // > 0: flash the big cursor first; negated once shown
    int32_t repeat; // extra runs, counted down
};

struct ScriptEntry {
    int32_t id;
    int32_t helpLevel; // -1: not offered as a help topic
    int32_t stepCount;
    ScriptStep* steps;
};

constexpr int kScriptCount = 5;
extern ScriptEntry scriptDirectory[kScriptCount];

struct ScriptSelection {
    ScriptStep* steps; // null when no script is selected
    int stepCount;     // 0 when none
};

// Selects the first script with this id if it has at least two steps and its
// first step names a window; otherwise selects none.
ScriptSelection FindScript(int id);
