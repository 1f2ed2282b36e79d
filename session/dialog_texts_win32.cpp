#include "session/dialog_texts.h"

#include "session/dialog_text_map.h"
#include "session/session.h"

namespace {

constexpr int kDialogTextSize = 150;

// Host text `id`, or "###" so that a missing text shows as missing.
void FetchLabel(int32_t id, char (&text)[kDialogTextSize]) {
    GetHostText(static_cast<DWORD>(id), text, kDialogTextSize - 1);
    if (text[0] == '\0')
        lstrcpynA(text, "###", kDialogTextSize);
}

} // namespace

void ApplyDialogTexts(HWND dialog, int key) {
    const DialogTextPair* map = FindDialogTextMap(key);
    if (map == nullptr)
        return;
    char text[kDialogTextSize];
    if (map[0].textId != 0) {
        FetchLabel(map[0].textId, text);
        SetWindowTextA(dialog, text);
    }
    const int count = ControlTextCount(map);
    for (int i = 1; i <= count; ++i) {
        HWND control = GetDlgItem(dialog, map[i].id);
        if (control == nullptr)
            continue;
        FetchLabel(map[i].textId, text);
        SetWindowTextA(control, text);
    }
}
