#include "frame/script_directory.h"

ScriptSelection FindScript(int id) {
    for (ScriptEntry& entry : scriptDirectory) {
        if (entry.id != id)
            continue;
        if (entry.stepCount >= 2 && entry.steps && entry.steps[0].window != -1)
            return {entry.steps, entry.stepCount};
        break;
    }
    return {nullptr, 0};
}
