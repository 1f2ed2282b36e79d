// The script phase as the frame sees it.
#pragma once

// Selects script `id` for the script phase (none when it is not runnable).
void SelectScript(int id);
bool SelectedScriptHasSteps();

// Runs the next due step of the selected script on the host's windows; a
// result code for DemoTick.
int ScriptTick();
