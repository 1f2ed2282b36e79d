#include "order/order_lists.h"

#include <cstdio>
#include <cstring>

#include "config/catalogue.h"
#include "order/amount_mask_win32.h"
#include "order/order_ids.h"
#include "order/order_scroll.h"
#include "order/order_sheet.h"
#include "session/session.h"

namespace {

const ItemTextRow* ItemTexts(int item) {
    const int language = session.language;
    if (language < 0 || language >= kLanguageCount || !catalogue.itemTexts[language])
        return nullptr;
    return &catalogue.itemTexts[language][item];
}

void ColumnText(HWND dialog, int listId, int item, char* out) {
    out[0] = '\0';
    const ItemTextRow* row = ItemTexts(item);
    switch (listId) {
    case kQuantityList:
        QuantityColumnText(dialog, item, out);
        break;
    case kItemCodeList:
        if (row)
            std::snprintf(out, kOrderLineSize, "%s", row->itemCode);
        break;
    case kItemTextList:
        if (row)
            std::snprintf(out, kOrderLineSize, "%s", row->itemText);
        break;
    case kUnitPriceList:
        if (PricesValid(catalogue))
            FormatToMaskForWindow(dialog, out, catalogue.prices[item], -1, kPriceMask);
        break;
    case kLineTotalList:
        LineTotalColumnText(dialog, item, kPriceMask, out);
        break;
    default:
        break;
    }
}

void MakeLine(const char* columnText, char* line) {
    std::snprintf(line, kOrderLineSize, " %s", columnText);
}

} // namespace

bool IsOrderItem(int item) {
    return item >= 0 && item < catalogue.itemCount && item < kMaxItems;
}

void QuantityColumnText(HWND dialog, int item, char* out) {
    out[0] = '\0';
    if (PricesValid(catalogue) && catalogue.quantities[item] != 0)
        FormatToMaskForWindow(dialog, out, 0, catalogue.quantities[item], kQuantityMask);
}

void LineTotalColumnText(HWND dialog, int item, const char* mask, char* out) {
    out[0] = '\0';
    if (PricesValid(catalogue) && catalogue.quantities[item] != 0)
        FormatToMaskForWindow(dialog, out, catalogue.quantities[item] * catalogue.prices[item], -1,
                              mask);
}

int FillOrderLists(HWND dialog) {
    int quantityLines = 0;
    char text[kOrderLineSize];
    char line[kOrderLineSize];
    for (int item = 0; IsOrderItem(item); ++item) {
        for (int listId : kOrderListIds) {
            ColumnText(dialog, listId, item, text);
            if (listId == kQuantityList && text[0])
                ++quantityLines;
            MakeLine(text, line);
            SendDlgItemMessageA(dialog, listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        }
    }
    return quantityLines;
}

void ReplaceOrderLine(HWND dialog, int listId, int item, const char* columnText) {
    char line[kOrderLineSize];
    MakeLine(columnText, line);
    SendDlgItemMessageA(dialog, listId, LB_DELETESTRING, static_cast<WPARAM>(item), 0);
    SendDlgItemMessageA(dialog, listId, LB_INSERTSTRING, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(line));
}

void SyncOrderLists(HWND dialog, int top, int selected) {
    if (session.orderSyncBusy)
        return;
    session.orderSyncBusy = 1;
    selected = VisibleSelection(top, selected);
    for (int listId : kOrderListIds) {
        HWND list = GetDlgItem(dialog, listId);
        if (SendMessageA(list, LB_GETCURSEL, 0, 0) != selected)
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        if (SendMessageA(list, LB_GETTOPINDEX, 0, 0) != top)
            SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    }
    session.orderSelectedLine = selected;
    session.orderTopLine = top;
    session.orderSyncBusy = 0;
}

int CountOrderedItems(HWND dialog) {
    int count = 0;
    for (int item = 0; IsOrderItem(item); ++item)
        if (catalogue.quantities[item] > 0)
            ++count;
    if (dialog)
        EnableWindow(GetDlgItem(dialog, kPrintButton), count > 0);
    return count;
}
