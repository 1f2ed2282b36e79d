// The help list's lines: one per script offered as a help topic, titled by
// the host text of the script's first title step.
#pragma once

#include <cstdint>
#include <functional>

#include "frame/script_directory.h"

constexpr int kMaxHelpLines = 1000;
constexpr int kHelpLineSize = 150;
constexpr int kHelpIndentWidth = 3;

// Outcomes of the help dialog besides a script id.
constexpr int32_t kHelpNothingChosen = -1;
constexpr int32_t kHelpProgramHelp = -2;

struct HelpListState {
    int32_t startScript; // its line is preselected
    int32_t result;      // a script id, kHelpNothingChosen or kHelpProgramHelp
    int32_t lineScripts[kMaxHelpLines];
    int32_t lineCount;
};

// Writes host text `id` into the buffer (NUL-terminated, at most size - 1 bytes).
using HelpTextSource = std::function<void(int32_t id, char* buffer, int bufferSize)>;
// Takes one line of the list; `select` asks for it to be the selected line.
using HelpLineSink = std::function<void(const char* line, bool select)>;

// The text id that titles a script as a help topic: the first title step's
// text id, or 0 when the script has none (or its text id is not above 0).
int32_t HelpTitleTextId(const ScriptEntry& entry);

// Builds the list from the script directory in its order: a topic is indented
// by three spaces per help level and left out when its host title is empty.
void FillHelpList(HelpListState& state, const ScriptEntry* entries, int entryCount,
                  const HelpTextSource& fetch, const HelpLineSink& addLine);

// The script id of list line `line`, or kHelpNothingChosen when that is no line.
int32_t HelpLineScript(const HelpListState& state, int line);
