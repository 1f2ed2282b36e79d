// Resource and menu identifiers of the demo host (shared with demohost.rc).
// Menu commands stay clear of 1901..1910, which the module uses, and of the
// host command ids the module's scripts click (1001..1999).
#pragma once

#define IDR_MAIN_MENU 100

#define IDM_START 40001
#define IDM_NEXT 40002
#define IDM_PREVIOUS 40003
#define IDM_ORDER_SHEET 40004
#define IDM_END 40005
#define IDM_RESTART 40006
#define IDM_HELP_TOPICS 40007
#define IDM_EXIT 40008
