// What the module and the host say to each other by number: the WM_COMMAND
// identifiers either side sends, and the host text that titles a
// demonstration. docs/integration.md describes the host's side; a test
// keeps the two in step.
#pragma once

#include <cstdint>

// Passed by the host to DemoCommand. The module posts the next and end
// commands to the host itself when the slide show is over.
constexpr int kNextCommand = 1901;
constexpr int kPreviousCommand = 1902;
constexpr int kEndCommand = 1903;
constexpr int kOrderSheetCommand = 1906;

// Sent or posted to the host by the automation scripts.
constexpr int kKeyCommand = 1907;
constexpr int kShowTextCommand = 1908;
constexpr int kReadyCommand = 1909;
constexpr int kReadyAfterCursorCommand = 1910;

// Window caption of the printing dialog and the print job's document name.
constexpr uint32_t kTitleTextId = 6145;
