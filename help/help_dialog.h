// The help topic dialog: lists the scripts offered as help topics and starts
// the chosen one in the script phase.
#pragma once

#include <windows.h>

#include "help/help_ids.h"
#include "include/brenk_C.h"
#include "help/help_list.h"
#include "session/session.h"

// What one DemoHelp call knows of its dialog.
extern HelpListState helpList;

// DemoHelp and DemoHelpSelProc are declared in include/brenk_C.h.
