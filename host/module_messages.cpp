#include "host/module_messages.h"

TextRequest DecodeTextRequest(unsigned long param) {
    return TextRequest{static_cast<unsigned>(param & 0xFFFF),
                       static_cast<int>((param >> 16) & 0xFFFF)};
}

const char* TextModeName(int mode) {
    switch (mode) {
    case kTextExplanation:
        return "Explanation";
    case kTextNote:
        return "Note";
    case kTextTitle:
        return "Title";
    default:
        return "Unknown mode";
    }
}

ReadyQuery DecodeReadyQuery(unsigned long param) {
    return ReadyQuery{static_cast<unsigned>((param >> 16) & 0xFFFF), (param & 0xFFFF) == 1};
}

const char* ResultMeaning(int result) {
    switch (result) {
    case kResultGoOn:
        return "go on";
    case kResultPagesOver:
        return "pages over";
    case kResultScriptPhase:
        return "script phase";
    case kResultOver:
        return "demonstration over";
    default:
        return "unknown result";
    }
}
