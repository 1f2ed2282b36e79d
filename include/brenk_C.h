/* brenk_C.h: brenk_C.dll as a host sees it. The module's exports (standard
   calling convention, exported under their plain names) and the numbers a
   host and the module exchange: commands, result codes, dialog templates
   with their controls, and host texts. docs/integration.md says what each
   means. Valid C89 and C++; a resource script may include it for the ids. */
#ifndef BRENK_C_H
#define BRENK_C_H

/* Result codes of DemoTick and DemoCommand */
#define BRENK_GO_ON 0
#define BRENK_PAGES_OVER 2   /* the last page stays, no script follows */
#define BRENK_SCRIPT_PHASE 3 /* repaint the page area with the host's view */
#define BRENK_DEMO_OVER 4    /* stop ticking, DemoFree, unload */

/* WM_COMMAND ids: the host passes 1901..1907 on to DemoCommand */
#define BRENK_CMD_NEXT 1901
#define BRENK_CMD_PREVIOUS 1902
#define BRENK_CMD_END 1903
#define BRENK_CMD_ORDER_SHEET 1906
#define BRENK_CMD_KEY 1907       /* posted by a script step: lParam is a key code */
#define BRENK_CMD_SHOW_TEXT 1908 /* sent: text id in the low, mode in the high word of lParam */
#define BRENK_CMD_READY 1909     /* sent: is the control ready? (section 5 of the guide) */
#define BRENK_CMD_READY_AFTER_CURSOR 1910
#define BRENK_CMD_FIRST 1901 /* the host's own commands stay clear of 1901..1910 */
#define BRENK_CMD_LAST 1910

/* Text modes of BRENK_CMD_SHOW_TEXT */
#define BRENK_TEXT_MODE_EXPLANATION 0
#define BRENK_TEXT_MODE_NOTE 1
#define BRENK_TEXT_MODE_TITLE 2

/* Dialog templates the host supplies, and their controls */
#define BRENK_TEMPLATE_ORDER_SHEET 4400
#define BRENK_ORDER_ADDRESS 4401
#define BRENK_ORDER_CUSTOMER_NUMBER 4402
#define BRENK_ORDER_REFERENCE 4403
#define BRENK_ORDER_QUANTITIES 4404
#define BRENK_ORDER_ITEM_CODES 4405
#define BRENK_ORDER_ITEM_TEXTS 4406
#define BRENK_ORDER_UNIT_PRICES 4407
#define BRENK_ORDER_LINE_TOTALS 4408
#define BRENK_ORDER_SCROLL_BAR 4409
#define BRENK_ORDER_CURRENCY 4410
#define BRENK_ORDER_SURCHARGE 4411
#define BRENK_ORDER_SUM 4412
#define BRENK_ORDER_SURCHARGED_SUM 4413
#define BRENK_ORDER_LABEL_FIRST 31123 /* the labels 31123..31134 */
#define BRENK_ORDER_LABEL_LAST 31134
#define BRENK_TEMPLATE_QUANTITY 4414
#define BRENK_QUANTITY_FIELD 4414
#define BRENK_TEMPLATE_HELP_LIST 4420
#define BRENK_HELP_TOPICS 5371
#define BRENK_HELP_PROMPT 31280
#define BRENK_HELP_PROGRAM_HELP 7
#define BRENK_TEMPLATE_PRINTING 3031
#define BRENK_PRINTING_LABEL 31236
#define BRENK_PRINTING_PROGRESS 3032
#define BRENK_PRINTING_PAGES 3033
#define BRENK_PRINTING_PAGE_COMMAND 7100 /* keep it free in the printing template */

/* Results of DemoHelp besides the chosen script */
#define BRENK_HELP_NONE (-1)
#define BRENK_HELP_PROGRAM (-2)

/* Host texts: the text callback is asked for these ids */
#define BRENK_TEXT_TITLE 6145
#define BRENK_TEXT_PRICE_PAGE 8318
#define BRENK_TEXT_PRINT_FIRST 8301 /* the printed order's texts 8301..8315 */
#define BRENK_TEXT_PRINT_LAST 8315
#define BRENK_TEXT_TYPED_FIRST 8501 /* texts the scripts type, 8501..8502 */
#define BRENK_TEXT_TYPED_LAST 8502
#define BRENK_TEXT_HELP_TOPIC_1 13001
#define BRENK_TEXT_HELP_TOPIC_3 13011
#define BRENK_TEXT_HELP_TOPIC_4 13021
#define BRENK_TEXT_HELP_TOPIC_5 13031
#define BRENK_TEXT_HELP_CAPTION 23070
#define BRENK_TEXT_HELP_OK 23355
#define BRENK_TEXT_HELP_PROGRAM_HELP 23356
#define BRENK_TEXT_HELP_CANCEL 23012
#define BRENK_TEXT_HELP_PROMPT 23357
#define BRENK_TEXT_ORDER_CAPTION 23358
#define BRENK_TEXT_ORDER_CLOSE 23110
#define BRENK_TEXT_ORDER_PRINT 23359
#define BRENK_TEXT_ORDER_LABEL_FIRST 23360 /* labels 31123..31134 get 23360..23371 */
#define BRENK_TEXT_ORDER_LABEL_LAST 23371
#define BRENK_TEXT_PRINTING_CANCEL 23098
#define BRENK_TEXT_PRINTING_LABEL 23099

#ifndef RC_INVOKED

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The host's text callback: writes text textId into buffer, at most
   bufferSize - 1 characters and a NUL (bufferSize counts bytes, the NUL
   included); an empty text when it has none. */
typedef void(WINAPI* BrenkHostText)(DWORD textId, char* buffer, int bufferSize);

/* The session */
int WINAPI DemoInit(HWND hostWindow, HINSTANCE hostInstance, BrenkHostText callback,
                    const char* catalogueDirectory, int language);
void WINAPI DemoFree(void);
int WINAPI DemoTick(HWND window);
int WINAPI DemoPaint(HDC dc);
int WINAPI DemoCommand(int command, LPARAM param);
int WINAPI DemoHelp(HWND hostWindow, HINSTANCE hostInstance, BrenkHostText callback,
                    int startScript);

/* Identification and the floating-point hook */
const char* WINAPI VerFun(HWND window, void* callback, int a3, int a4);
int WINAPI DemoFun(int selector);
int WINAPI DllFPError(int mode);

/* Services that need no session */
void WINAPI DemoSetup(const char* key, char* out, int size);
int WINAPI ConvPCCardFun(const char* outputPath, const char* imagePath);
int WINAPI OpenIC(int port, int a2, int a3, int a4, int a5, int a6, int a7);
int WINAPI SetIC(int a1, int a2, int a3, int a4, int a5, int a6);
int WINAPI CloseIC(void);

/* Exported for the module's own windows and print job; never called by a host */
LRESULT WINAPI PavloWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DemoHelpSelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI OrderSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI EnterDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI PrintDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI AbortProc(HDC dc, int error);

/* The same as pointer types, for a host that binds by name with
   GetProcAddress (and so can start without the module, and unload it) */
typedef int(WINAPI* BrenkDemoInit)(HWND hostWindow, HINSTANCE hostInstance, BrenkHostText callback,
                                   const char* catalogueDirectory, int language);
typedef void(WINAPI* BrenkDemoFree)(void);
typedef int(WINAPI* BrenkDemoTick)(HWND window);
typedef int(WINAPI* BrenkDemoPaint)(HDC dc);
typedef int(WINAPI* BrenkDemoCommand)(int command, LPARAM param);
typedef int(WINAPI* BrenkDemoHelp)(HWND hostWindow, HINSTANCE hostInstance, BrenkHostText callback,
                                   int startScript);
typedef const char*(WINAPI* BrenkVerFun)(HWND window, void* callback, int a3, int a4);
typedef int(WINAPI* BrenkDemoFun)(int selector);
typedef int(WINAPI* BrenkDllFPError)(int mode);
typedef void(WINAPI* BrenkDemoSetup)(const char* key, char* out, int size);
typedef int(WINAPI* BrenkConvPCCardFun)(const char* outputPath, const char* imagePath);
typedef int(WINAPI* BrenkOpenIC)(int port, int a2, int a3, int a4, int a5, int a6, int a7);
typedef int(WINAPI* BrenkSetIC)(int a1, int a2, int a3, int a4, int a5, int a6);
typedef int(WINAPI* BrenkCloseIC)(void);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */
#endif /* BRENK_C_H */
