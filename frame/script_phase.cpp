#include "frame/script_phase.h"

#include "frame/script_directory.h"
#include "frame/session.h"

namespace {
ScriptStep* selectedSteps = nullptr;
}

void SelectScript(int id) {
    const ScriptSelection selection = FindScript(id);
    selectedSteps = selection.steps;
    session.flow.stepCount = selection.stepCount;
}

bool SelectedScriptHasSteps() {
    return session.flow.stepCount > 0;
}

// The steps themselves are not run yet: the script phase waits quietly.
int ScriptTick() {
    return kGoOn;
}
