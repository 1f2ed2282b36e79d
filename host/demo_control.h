// The host's side of a demonstration: opening it with DemoInit, handing on
// commands, ticking, ending it with DemoFree, and the screenshots on the way.
#pragma once

#include <windows.h>

#include <string>

// False when the module could not open the demonstration (DemoInit gave 0,
// or a fresh copy of the module could not be loaded).
bool StartDemonstration();
// DemoInit's restart form: back to page 0 with the same language.
void RestartDemonstration();
// The module's help-topic list; a chosen topic runs as a script. With
// `chooseUnattended` the host picks the preselected topic itself, as a user
// would, once the list has been shown for a moment.
void ShowHelpTopics(bool chooseUnattended = false);
// Presses OK in the help list the module has open (--help-topic).
void ChooseHelpTopic();
// A WM_COMMAND 1901..1907: to DemoCommand, or kept until the module call in
// progress has returned.
void PassCommand(WPARAM wParam, LPARAM lParam);
// One DemoTick while a demonstration runs.
void TickDemonstration();
// Stops ticking, closes a slide show still open and releases the module's session.
void EndDemonstration();
// The script phase has run for --end-script-after seconds: ends the
// demonstration the way the menu's End does.
void EndScriptAtLimit();
// Takes the screenshots whose time has come, and asks to close the program
// once a demonstration under --exit-when-done is over and captured.
void DoHousekeeping();
// A screenshot of the client area (and whatever lies over it), taken about
// 400 ms from now, or at once when `now` (before something disappears).
void RequestScreenshot(const std::string& label, bool now);
// Releases what the module still holds, at program exit.
void ShutdownDemonstration();
