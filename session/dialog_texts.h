// Gives a dialog its caption and labels from the host, by dialog key.
#pragma once

#include <windows.h>

// Looks the key up in the dialog text maps; a text the host does not have
// shows as "###". Controls the dialog lacks are passed over.
void ApplyDialogTexts(HWND dialog, int key);
