#include "print/print_order.h"

#include "config/catalogue.h"
#include "config/catalogue_clock.h"
#include "order/order_sheet.h"
#include "print/print_date.h"
#include "print/print_job.h"
#include "print/print_surface_win32.h"
#include "render/text_measure.h"
#include "session/module_dialogs.h"
#include "session/session.h"

namespace {

HFONT CreatePrintFont(HDC dc) {
    const PrintFontSize size =
        PrintFontSizeFor(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    return CreateFontA(size.height, size.width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_STROKE_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN,
                       "Times New Roman");
}

// Selects the print font (when there is one) and lets text leave the lines
// it crosses alone.
void PreparePage(HDC dc, HFONT font) {
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
}

OrderPrintData CurrentOrder(const char* date) {
    OrderPrintData data{};
    data.catalogue = &catalogue;
    data.language = session.language;
    for (int slot = 0; slot < kPrintOrdererSlots; ++slot)
        data.orderer[slot] = session.ordererLines[slot];
    data.date = date;
    return data;
}

void PrintPages(HDC dc, HFONT font, const PrintGeometry& geometry, int items) {
    DcPrintSurface surface(dc);
    char date[kPrintDateSize];
    FormatPrintDate(date);
    const OrderPrintData data = CurrentOrder(date);
    const int pages = PageCount(items, geometry.rowsPerPage);
    int remaining = items;
    int nextItem = 0;
    for (int page = 1; remaining > 0 && !printCancelled; ++page) {
        SendMessageA(abortDialog, WM_COMMAND, kPageProgressCommand, MAKELPARAM(page, pages));
        StartPage(dc);
        PreparePage(dc, font);
        const int rows = RowsOnPage(geometry.rowsPerPage, remaining);
        nextItem = DrawOrderPage(surface, geometry, data, rows, nextItem).nextItem;
        remaining -= rows;
        if (!printCancelled)
            EndPage(dc);
        // Not every driver calls the abort procedure while it works: give the
        // printing dialog its messages between pages so its button is heard
        // before the next page starts.
        AbortProc(dc, 0);
    }
}

} // namespace

void FormatPrintDate(char* out) {
    char pattern[kShortDatePatternLimit + 1] = "";
    GetProfileStringA("intl", "sShortDate", "", pattern, sizeof pattern);
    LocalDate today{};
    ReadLocalClock(nullptr, &today);
    FormatDate(ParseShortDatePattern(pattern), today, out, kPrintDateSize);
}

void PrintOrderSheet(HWND parent) {
    if (!PricesValid(catalogue))
        return;
    const int items = CountOrderedItems(nullptr);
    if (items <= 0)
        return;
    // The printing dialog's message loop runs the host's ticks and commands.
    ModalLoop loop;
    HDC dc = BeginPrintJob(parent);
    if (!dc)
        return;
    HFONT font = CreatePrintFont(dc);
    PreparePage(dc, font);
    const PrintGeometry geometry =
        ComputePrintGeometry(GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX),
                             GetDeviceCaps(dc, LOGPIXELSY), LineHeight(dc));
    // A page that cannot hold one table row prints nothing.
    if (geometry.rowsPerPage < 1) {
        DropPrintJob(dc, parent);
    } else {
        DOCINFOA document = {sizeof document, session.titleText, nullptr, nullptr, 0};
        if (StartDocA(dc, &document) > 0)
            PrintPages(dc, font, geometry, items);
        EndPrintJob(dc, parent);
    }
    if (font)
        DeleteObject(font);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
    DcPrintSurface(dc).Line(x1, y1, x2, y2);
}

void DrawClippedText(HDC dc, int x, int y, int width, const char* text, int alignment) {
    DcPrintSurface surface(dc);
    DrawClippedText(surface, x, y, width, text, alignment);
}

void DrawTextCell(HDC dc, int x, int y, int width, int alignment, const char* text) {
    DcPrintSurface surface(dc);
    DrawTextCell(surface, LineHeight(dc), x, y, width, alignment, text);
}

void DrawHostTextCell(HDC dc, int x, int y, int width, int alignment, DWORD textId,
                      const char* value) {
    DcPrintSurface surface(dc);
    DrawHostTextCell(surface, LineHeight(dc), x, y, width, alignment, textId, value);
}
