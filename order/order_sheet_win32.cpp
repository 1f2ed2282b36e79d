#include "order/order_sheet.h"

#include <cstdio>

#include "config/catalogue.h"
#include "config/catalogue_scratch.h"
#include "order/amount_mask_win32.h"
#include "order/order_ids.h"
#include "order/order_lists.h"
#include "order/order_scroll.h"
#include "order/orderer_text.h"
#include "order/quantity_entry.h"
#include "session/dialog_texts.h"
#include "session/module_dialogs.h"
#include "session/session.h"

namespace {

constexpr int kAddressReadLimit = 1998;

// What Print does, given by the caller of ShowOrderSheet: the printout sits
// above the sheet, which only offers the order to it.
OrderPrinter printOrder = nullptr;
constexpr int kDigitKeyFirst = '0';
constexpr int kDigitKeyLast = '9';
constexpr LRESULT kKeyHandled = -2;
constexpr LRESULT kKeyDefault = -1;

bool IsOrderList(int id) {
    return id >= kQuantityList && id <= kLineTotalList;
}

void ShowOrdererText(HWND dialog) {
    for (auto& slot : session.ordererLines)
        TrimOrdererSlot(slot);
    JoinAddressLines(session.ordererLines, scratchText, kScratchTextSize);
    SetDlgItemTextA(dialog, kAddressField, scratchText);
    SetDlgItemTextA(dialog, kFirstFurtherField, session.ordererLines[5]);
    SetDlgItemTextA(dialog, kSecondFurtherField, session.ordererLines[6]);
}

void StoreOrdererText(HWND dialog) {
    GetDlgItemTextA(dialog, kAddressField, scratchText, kAddressReadLimit + 1);
    SplitAddressText(scratchText, session.ordererLines);
    GetDlgItemTextA(dialog, kFirstFurtherField, session.ordererLines[5], kOrdererTextLimit + 1);
    GetDlgItemTextA(dialog, kSecondFurtherField, session.ordererLines[6], kOrdererTextLimit + 1);
}

void ShowCatalogueLabels(HWND dialog) {
    char text[kLabelLimit + kCurrencyLimit + 8];
    std::snprintf(text, sizeof text, "%s (%s)", catalogue.currency, catalogue.priceListLabel);
    SetDlgItemTextA(dialog, kCurrencyLabel, text);
    SurchargeText(catalogue.surchargePercent, text, sizeof text);
    SetDlgItemTextA(dialog, kSurchargeLabel, text);
}

void SetScrollTop(int top) {
    SetScrollPos(session.orderScrollBar, SB_CTL, top, TRUE);
}

// A position kept from a larger catalogue would point past the lists now.
void ClampKeptPosition() {
    const int last = LastTopLine(catalogue.itemCount);
    if (session.orderTopLine < 0 || session.orderTopLine > last)
        session.orderTopLine = session.orderTopLine < 0 ? 0 : last;
    session.orderSelectedLine = VisibleSelection(session.orderTopLine, session.orderSelectedLine);
}

INT_PTR OpenSheet(HWND dialog, LPARAM key) {
    ApplyDialogTexts(dialog, static_cast<int>(key));
    session.orderScrollBar = GetDlgItem(dialog, kOrderScrollBarId);
    session.orderScrolling = 0;
    ShowCatalogueLabels(dialog);
    ShowOrdererText(dialog);
    const int ordered = FillOrderLists(dialog);
    EnableWindow(GetDlgItem(dialog, kPrintButton), ordered > 0);
    ClampKeptPosition();
    SyncOrderLists(dialog, session.orderTopLine, session.orderSelectedLine);
    UpdateOrderTotals(dialog);
    SetScrollRange(session.orderScrollBar, SB_CTL, 0, LastTopLine(catalogue.itemCount), FALSE);
    SetScrollTop(session.orderTopLine);
    SetFocus(GetDlgItem(dialog, kQuantityList));
    return 0;
}

void FollowListSelection(HWND dialog, HWND list) {
    if (session.orderScrolling)
        return;
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (top == session.orderTopLine && selected == session.orderSelectedLine)
        return;
    SyncOrderLists(dialog, top, selected);
    SetScrollTop(top);
}

void EditSelectedQuantity(HWND dialog) {
    if (IsOrderItem(session.orderSelectedLine))
        EditQuantity(dialog, catalogue.quantities[session.orderSelectedLine]);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (IsOrderList(id)) {
        if (notification == LBN_SELCHANGE)
            FollowListSelection(dialog, reinterpret_cast<HWND>(lParam));
        else if (notification == LBN_DBLCLK)
            EditSelectedQuantity(dialog);
        return 0;
    }
    if (id == kDigitCommand) {
        EditQuantity(dialog, LOWORD(lParam));
        return 0;
    }
    if (id == kPrintButton || id == kCloseButton) {
        StoreOrdererText(dialog);
        if (id == kPrintButton && printOrder)
            printOrder(dialog);
        else
            EndDialog(dialog, 1);
        return 1;
    }
    return 0;
}

bool IsListOf(HWND dialog, HWND control) {
    for (int listId : kOrderListIds)
        if (control && GetDlgItem(dialog, listId) == control)
            return true;
    return false;
}

INT_PTR OnKeyToItem(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int key = LOWORD(wParam);
    if (key < kDigitKeyFirst || key > kDigitKeyLast ||
        !IsListOf(dialog, reinterpret_cast<HWND>(lParam)))
        return kKeyDefault;
    PostMessageA(dialog, WM_COMMAND, kDigitCommand, key - kDigitKeyFirst);
    return kKeyHandled;
}

void OnScroll(HWND dialog, WPARAM wParam) {
    const int request = LOWORD(wParam);
    const int thumb = static_cast<short>(HIWORD(wParam));
    const int top = ScrolledTopLine(request, thumb, session.orderTopLine, catalogue.itemCount);
    if (top == session.orderTopLine)
        return;
    session.orderScrolling = 1;
    SyncOrderLists(dialog, top, session.orderSelectedLine);
    session.orderScrolling = 0;
    SetScrollTop(top);
}

void CancelEntryOnPress(LPARAM lParam) {
    if (HIWORD(lParam) == WM_LBUTTONDOWN && session.entryDialog)
        SendMessageA(session.entryDialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

INT_PTR ShowOrderSheet(OrderPrinter printer) {
    printOrder = printer;
    ModalLoop loop;
    return DialogBoxParamA(session.hostInstance, MAKEINTRESOURCEA(kOrderSheetTemplate),
                           session.hostWindow, OrderSheetProc, kOrderSheetTemplate);
}

extern "C" INT_PTR __stdcall OrderSheetProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AddOpenDialog(dialog);
        return OpenSheet(dialog, lParam);
    case WM_DESTROY:
        RemoveOpenDialog(dialog);
        return 0;
    case WM_COMMAND:
        return OnCommand(dialog, wParam, lParam);
    case WM_VKEYTOITEM:
        return OnKeyToItem(dialog, wParam, lParam);
    case WM_CHARTOITEM:
        // Lists with strings never ask this on Windows; where they do, 0
        // would move the selection to the first line on every typed digit.
        return kKeyDefault;
    case WM_VSCROLL:
        OnScroll(dialog, wParam);
        return 0;
    case WM_SETCURSOR:
        CancelEntryOnPress(lParam);
        return 0;
    default:
        return 0;
    }
}
