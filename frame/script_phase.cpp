#include "frame/script_phase.h"

#include "frame/script_directory.h"
#include "frame/script_engine.h"
#include "frame/script_host_win32.h"
#include "session/session.h"

void SelectScript(int id) {
    const ScriptSelection selection = FindScript(id);
    session.flow.steps = selection.steps;
    session.flow.stepCount = selection.stepCount;
    // A retry belongs to the script that was selected before.
    session.flow.retryDeadline = 0;
}

bool SelectedScriptHasSteps() {
    return session.flow.stepCount > 0;
}

int ScriptTick() {
    WindowScriptHost host;
    return ScriptTick(session.flow, host);
}
