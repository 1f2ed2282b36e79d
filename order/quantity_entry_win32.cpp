#include "order/quantity_entry.h"

#include <cstdio>
#include <cstdlib>

#include "config/catalogue.h"
#include "order/amount_mask_win32.h"
#include "order/order_ids.h"
#include "order/order_lists.h"
#include "order/order_scroll.h"
#include "order/order_sheet.h"
#include "order/orderer_text.h"
#include "session/dialog_texts.h"
#include "session/module_dialogs.h"
#include "session/session.h"

namespace {

constexpr unsigned char kCancelledMark = 0xFF;
constexpr int kEntryReadLimit = 18;
constexpr int kEntryCharacterLimit = 5;

// Screen y of the top and bottom of line `line` of the quantity list; false
// when the list cannot give its rectangle.
bool LineOnScreen(HWND sheet, int line, int* top, int* bottom) {
    HWND list = GetDlgItem(sheet, kQuantityList);
    RECT rect;
    if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return false;
    POINT corners[2] = {{rect.left, rect.top}, {rect.left, rect.bottom}};
    MapWindowPoints(list, nullptr, corners, 2);
    *top = corners[0].y;
    *bottom = corners[1].y;
    return true;
}

// The line's height is the distance to a neighbouring line; a list of one
// line has none, and then the line's own rectangle gives it, so that the
// only item of a catalogue can be ordered too.
bool MeasureSelectedLine(HWND sheet) {
    const int selected = session.orderSelectedLine;
    const int neighbour = selected > session.orderTopLine ? selected - 1 : selected + 1;
    int y1 = 0, bottom = 0, y2 = 0, unused = 0;
    if (!LineOnScreen(sheet, selected, &y1, &bottom))
        return false;
    if (!LineOnScreen(sheet, neighbour, &y2, &unused))
        y2 = bottom;
    session.entryCentreY = y1 + std::abs(y1 - y2) / 2;
    return true;
}

void StoreQuantity(HWND sheet, int item, int quantity) {
    catalogue.quantities[item] = quantity;
    char text[kOrderLineSize];
    QuantityColumnText(sheet, item, text);
    ReplaceOrderLine(sheet, kQuantityList, item, text);
    CountOrderedItems(sheet);
    LineTotalColumnText(sheet, item, kEnteredLineMask, text);
    ReplaceOrderLine(sheet, kLineTotalList, item, text);
    const bool visible =
        item >= session.orderTopLine && item < session.orderTopLine + kVisibleOrderLines;
    SyncOrderLists(sheet, visible ? session.orderTopLine : item, item);
    UpdateOrderTotals(sheet);
}

void PlaceOverLine(HWND dialog) {
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int height = frame.bottom - frame.top;
    MoveWindow(dialog, frame.left, session.entryCentreY - height / 2, frame.right - frame.left,
               height, FALSE);
}

void PrefillField(HWND field) {
    session.entryFirstFocus = 0;
    SetWindowTextA(field, session.entryText);
    SendMessageA(field, EM_LIMITTEXT, kEntryCharacterLimit, 0);
    const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthA(field) + 1);
    SendMessageA(field, EM_SETSEL, end, static_cast<LPARAM>(end));
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == kEntryField && HIWORD(wParam) == EN_SETFOCUS && session.entryFirstFocus) {
        PrefillField(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    if (id == IDOK) {
        GetDlgItemTextA(dialog, kEntryField, session.entryText, kEntryReadLimit + 1);
        if (QuantityInRange(ParseQuantityText(session.entryText)))
            EndDialog(dialog, 1);
        return 1;
    }
    if (id == IDCANCEL) {
        session.entryText[0] = static_cast<char>(kCancelledMark);
        EndDialog(dialog, 1);
        return 1;
    }
    return 0;
}

} // namespace

void EditQuantity(HWND sheet, int initial) {
    const int item = session.orderSelectedLine;
    if (!PricesValid(catalogue) || !IsOrderItem(item) || !MeasureSelectedLine(sheet))
        return;
    std::snprintf(session.entryText, sizeof session.entryText, "%d", initial);
    ModalLoop loop;
    DialogBoxParamA(session.hostInstance, MAKEINTRESOURCEA(kEntryTemplate), sheet, EnterDlgProc,
                    kEntryTemplate);
    session.entryDialog = nullptr;
    if (static_cast<unsigned char>(session.entryText[0]) == kCancelledMark)
        return;
    const long quantity = ParseQuantityText(session.entryText);
    StoreQuantity(sheet, item, QuantityInRange(quantity) ? static_cast<int>(quantity) : 0);
}

extern "C" INT_PTR __stdcall EnterDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AddOpenDialog(dialog);
        ApplyDialogTexts(dialog, static_cast<int>(lParam));
        session.entryDialog = dialog;
        session.entryFirstFocus = 1;
        PlaceOverLine(dialog);
        return 1;
    case WM_COMMAND:
        return OnCommand(dialog, wParam, lParam);
    case WM_DESTROY:
        RemoveOpenDialog(dialog);
        session.entryDialog = nullptr;
        return 0;
    default:
        return 0;
    }
}
