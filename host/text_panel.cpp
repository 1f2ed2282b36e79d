#include "host/text_panel.h"

#include "host/module_messages.h"

namespace {

std::string& FieldFor(TextPanel& panel, int mode) {
    if (mode == kTextTitle)
        return panel.title;
    return mode == kTextNote ? panel.note : panel.explanation;
}

} // namespace

void ApplyModuleText(TextPanel& panel, unsigned textId, int mode, const char* text) {
    panel.lastTextId = textId;
    panel.lastMode = mode;
    if (textId == 0) {
        panel.title.clear();
        panel.explanation.clear();
        panel.note.clear();
        return;
    }
    if (text == nullptr || textId == 1) {
        FieldFor(panel, mode).clear();
        return;
    }
    if (mode == kTextTitle) {
        panel.explanation.clear();
        panel.note.clear();
    } else if (mode == kTextExplanation) {
        panel.note.clear();
    }
    FieldFor(panel, mode).assign(text);
}
