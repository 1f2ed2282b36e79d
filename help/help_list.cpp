#include "help/help_list.h"

#include <cstring>

#include "frame/script_validation.h"

int32_t HelpTitleTextId(const ScriptEntry& entry) {
    if (entry.steps == nullptr)
        return 0;
    for (int i = 0; i < entry.stepCount; ++i) {
        if (entry.steps[i].kind == kTitleStep)
            return entry.steps[i].textId > 0 ? entry.steps[i].textId : 0;
    }
    return 0;
}

namespace {

// The line for one topic in `line`; false when the topic is left out.
bool ComposeLine(const ScriptEntry& entry, const HelpTextSource& fetch, char* line) {
    const int32_t titleId = HelpTitleTextId(entry);
    if (entry.helpLevel < 0 || titleId <= 0)
        return false;
    // Levels so deep that no title would fit are left out rather than cut.
    if (entry.helpLevel > kHelpLineSize)
        return false;
    const int32_t indent = entry.helpLevel * kHelpIndentWidth;
    const int32_t room = kHelpLineSize - 1 - indent;
    if (room < 2)
        return false;
    std::memset(line, ' ', static_cast<size_t>(indent));
    line[indent] = '\0';
    fetch(titleId, line + indent, room);
    line[kHelpLineSize - 1] = '\0';
    return line[indent] != '\0';
}

} // namespace

void FillHelpList(HelpListState& state, const ScriptEntry* entries, int entryCount,
                  const HelpTextSource& fetch, const HelpLineSink& addLine) {
    state.lineCount = 0;
    for (int i = 0; i < entryCount && state.lineCount < kMaxHelpLines; ++i) {
        char line[kHelpLineSize];
        if (!ComposeLine(entries[i], fetch, line))
            continue;
        addLine(line, entries[i].id == state.startScript);
        state.lineScripts[state.lineCount++] = entries[i].id;
    }
}

int32_t HelpLineScript(const HelpListState& state, int line) {
    if (line < 0 || line >= state.lineCount)
        return kHelpNothingChosen;
    return state.lineScripts[line];
}
