// The host's main window: a toolbar strip at the top, the page area the
// module draws into (the measurement view and the text panel once no page is
// shown), a status strip at the bottom, and the menus.
#pragma once

#include <windows.h>

#include <string>

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;
// The module keeps 30 pixels free at the top and bottom of the client area
// (its slide show window leaves them out); the host's strips live there.
constexpr int kStripHeight = 30;
// The text panel at the bottom of the page area.
constexpr int kPanelHeight = 116;

constexpr UINT_PTR kTickTimerId = 1;
constexpr UINT_PTR kHousekeepingTimerId = 2;
constexpr UINT_PTR kTimeoutTimerId = 3;
constexpr UINT_PTR kScriptLimitTimerId = 4;
constexpr UINT_PTR kHelpChoiceTimerId = 5;
constexpr UINT kHousekeepingIntervalMs = 100;

// Posted once at program start to open the demonstration with the window shown.
constexpr UINT kAutoStartMessage = WM_APP + 1;

bool RegisterMainWindowClass(HINSTANCE instance);
// A window whose client area is kClientWidth x kClientHeight.
HWND CreateMainWindow(HINSTANCE instance, const std::string& title);
// Brings the menu's enabled items and the status strip up to date.
void RefreshHostWindow();
// Repaints the area between the strips, where the module's page goes.
void RepaintPageArea();
// Repaints the text panel.
void RepaintTextPanel();
