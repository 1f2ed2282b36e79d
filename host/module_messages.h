// What the module and the host say to each other: the WM_COMMAND identifiers
// with their parameter layouts, and the result codes of DemoTick/DemoCommand.
#pragma once

constexpr int kCommandNext = 1901;
constexpr int kCommandPrevious = 1902;
constexpr int kCommandEnd = 1903;
constexpr int kCommandOrderSheet = 1906;
constexpr int kCommandKey = 1907;
constexpr int kCommandShowText = 1908;
constexpr int kCommandReady = 1909;
constexpr int kCommandReadyAfterCursor = 1910;

constexpr int kResultGoOn = 0;
constexpr int kResultPagesOver = 2;
constexpr int kResultScriptPhase = 3;
constexpr int kResultOver = 4;

// 1901..1907: identifiers the host hands on to DemoCommand.
inline bool IsDemoCommand(int id) {
    return id >= kCommandNext && id <= kCommandKey;
}

enum TextMode { kTextExplanation = 0, kTextNote = 1, kTextTitle = 2 };

// Second parameter of 1908: text id in the low word, text mode in the high word.
struct TextRequest {
    unsigned textId;
    int mode;
};
TextRequest DecodeTextRequest(unsigned long param);

// "Explanation", "Note", "Title", or "Unknown mode".
const char* TextModeName(int mode);

// Second parameter of 1909/1910: control id in the high word, 1 in the low word
// when the control belongs to the host's main window, 0 for a popup.
struct ReadyQuery {
    unsigned control;
    bool mainWindow;
};
ReadyQuery DecodeReadyQuery(unsigned long param);

// A few words on a result code, for the log and the status line.
const char* ResultMeaning(int result);
