// The host's own command, dialog and control identifiers (shared with
// demohost.rc). The module's scripts name them, so they are fixed: main
// window commands 1001..1511, dialog controls as listed, help list 4420.
#pragma once

// Main window commands: toolbar buttons (children of the main window with
// these ids) and the same items in the menus.
#define CMD_SAVE 1001
#define CMD_CONNECT 1002
#define CMD_STOP 1004
#define CMD_GRAPH 1011
#define CMD_METER 1012
#define CMD_TABLE 1013
#define CMD_START 1015
#define CMD_READINGS 1018
#define CMD_RANGE 1020
#define CMD_PRINT 1030
#define CMD_RECORD 1072
#define CMD_SETTINGS 1503
#define CMD_FORMULA 1511

// Dialog templates of the host's own dialogs.
#define IDD_SAVE 301
#define IDD_CONFIRM_STOP 302
#define IDD_READINGS 303
#define IDD_RANGE 304
#define IDD_PRINT 305
#define IDD_RECORD 306
#define IDD_SETTINGS 307
#define IDD_FORMULA 308
// The module's help list, built by the module from this template.
#define IDD_HELP_TOPICS 4420

// Save: file name.
#define IDC_FILE_NAME 3002
#define IDC_SAVE_WHAT 3003
// Stop with an unsaved recording: Yes (6) discards, No (7) keeps, Cancel (2).
#define IDC_CONFIRM_TEXT 3101
// Number of readings.
#define IDC_READINGS 3301
// Measuring range.
#define IDC_AUTO_RANGE 3401
#define IDC_RANGE_LIST 3402
// Printing.
#define IDC_PRINT_GRAPH 3501
#define IDC_PRINT_TABLE 3502
// Settings.
#define IDC_BEEP 3690
#define IDC_STATISTICS 3691
#define IDC_RATE_LIST 3693
#define IDC_FAST_INTERFACE 5208
#define IDC_INTERFACE_TEXT 5209
// Record.
#define IDC_RECORD_COUNT 3821
#define IDC_STOP_WHEN_FULL 3824
// Calculated quantity: formula keys, name, unit, factor, preview.
#define IDC_FORMULA_TEXT 4100
#define IDC_SHOW_IN_METER 4102
#define IDC_FACTOR 4109
#define IDC_UNIT 4111
#define IDC_KEY_U 4112
#define IDC_KEY_I 4113
#define IDC_KEY_TIMES 4144
#define IDC_KEY_FACTOR 4160
#define IDC_KEEP_FORMULA 4169
#define IDC_CHECK_FORMULA 4180
#define IDC_PREVIEW 4181
#define IDC_FORMULA_STATUS 4190
// Help list (filled by the module).
#define IDC_HELP_LIST 5371
#define IDC_HELP_LABEL 31280
