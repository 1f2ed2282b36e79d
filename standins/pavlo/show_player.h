// Plays one show inside the window the caller hands over: a slide view of
// the library's own class, a "Skip" button, and the timer that paces the
// slides. All calls come from the thread that owns the show window.
#pragma once

#include <windows.h>

#include <string>

#include "pavlo/show_sequence.h"

namespace pavlo {

class ShowPlayer {
  public:
    // Ends any show still running, then starts a new one. False when the
    // window is no window or the slide view cannot be made.
    bool Start(HINSTANCE library, HWND showWindow, const char* scriptName, int controlId,
               int buttonId, int startMode);
    // Stops the timer and destroys the library's windows; safe to repeat.
    void Stop();
    void Go();
    // 1 activated, 0 deactivated, 2 system palette changed.
    void Repaint(int state);
    // The Skip button's handle, or 1, skips; other codes are ignored.
    void Click(int code);
    // The library's windows still alive: none once the show window and its
    // children are gone.
    int LiveWindows() const;
    // The library is being unloaded: forgets its windows and takes back the
    // slide view's class. Like the maker's library it neither destroys nor
    // detaches windows still alive; their parent must be gone first.
    void Abandon();

    void OnTimer();
    void Paint(HWND window);

  private:
    bool CreateWindows(HWND showWindow, int buttonId);
    void Apply(const ShowStep& step);
    void PostCommand(LPARAM code);

    HINSTANCE library_ = nullptr;
    HWND showWindow_ = nullptr;
    HWND slideView_ = nullptr;
    HWND skipButton_ = nullptr;
    int controlId_ = 0;
    bool active_ = true;
    std::string scriptName_;
    ShowSequence sequence_;
};

ShowPlayer& TheShowPlayer();

} // namespace pavlo
