// The script engine's view of the host's real windows.
#pragma once

#include <windows.h>

#include "frame/script_engine.h"

// Acts on the session's host window and its popups. Now and Wait read and
// spin on the tick counter; tests derive from it to run on a clock of their own.
class WindowScriptHost : public ScriptHost {
  public:
    uint32_t Now() override;
    void Wait(uint32_t milliseconds) override;

    bool TakeFrontWindow() override;
    bool FrontIsHostWindow() override;
    void ActivateFront() override;

    void SendText(uint32_t param) override;
    bool AskReady(int command, uint32_t param) override;
    void PostToFront(int command, uint32_t param) override;

    bool TakeControl(int32_t id) override;
    bool ControlIsButton() override;
    void PressControl() override;
    void ReleaseControl() override;
    void ShowControlText(const char* text) override;
    void ApplyControlAction(int32_t action) override;

    bool ShowBigCursor() override;
    void RestoreCursor() override;

    void FetchHostText(int32_t textId, char* buffer, int bufferSize) override;

  private:
    HWND front_ = nullptr;
    HWND control_ = nullptr;
    int32_t controlId_ = 0;
    HCURSOR previousCursor_ = nullptr;
};
