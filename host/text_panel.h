// The host's text panel: what the module's text steps (1908) ask it to show.
// Mode 2 sets the title, mode 0 the explanation, mode 1 a note under it.
#pragma once

#include <string>

struct TextPanel {
    std::string title;
    std::string explanation;
    std::string note;
    unsigned lastTextId = 0;
    int lastMode = 0;

    bool Empty() const { return title.empty() && explanation.empty() && note.empty(); }
};

// Applies one 1908 request. Text id 0 clears the whole panel; id 1 (or an id
// the host has no text for, `text` null) clears only what that mode shows.
// A new title starts a new topic and clears the rest; a new explanation
// clears the note that belonged to the one before.
void ApplyModuleText(TextPanel& panel, unsigned textId, int mode, const char* text);
