// Opening and restarting a demonstration session.

#include "config/catalogue.h"
#include "frame/exports.h"
#include "frame/font_fit.h"
#include "frame/host_ids.h"
#include "frame/page_control.h"
#include "frame/page_table.h"
#include "frame/script_phase.h"
#include "frame/show_window.h"
#include "render/text_measure.h"

namespace {

HFONT MakePageFont(const PageFontSpec& fontShape, int width) {
    return CreateFontA(fontShape.height, width == 0 ? fontShape.firstWidth : width, 0, 0, FW_BOLD,
                       FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STROKE_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, fontShape.swiss ? FF_SWISS : FF_ROMAN,
                       fontShape.swiss ? "MS Sans Serif" : nullptr);
}

// Creates font `index` narrowed until its "B" fits; false if it cannot be made.
bool CreatePageFont(HDC dc, int index) {
    const PageFontSpec& fontShape = kPageFonts[index];
    HFONT font = nullptr;
    const int width = FitFontWidth(fontShape, [&](int w) {
        if (font)
            DeleteObject(font);
        font = MakePageFont(fontShape, w);
        if (!font)
            return -1;
        HGDIOBJ old = SelectObject(dc, font);
        const int measured = StringWidth(dc, "B");
        SelectObject(dc, old);
        return measured;
    });
    if (width < 0)
        return false;
    session.fonts[index] = font;
    return true;
}

// A memory context compatible with `dc` holding a new bitmap of the given size.
bool CreateSurface(HDC dc, int width, int height, HDC& memDc, HBITMAP& bitmap, HGDIOBJ& oldBitmap) {
    memDc = CreateCompatibleDC(dc);
    if (!memDc)
        return false;
    bitmap = CreateCompatibleBitmap(dc, width, height);
    if (!bitmap) {
        DeleteDC(memDc);
        memDc = nullptr;
        return false;
    }
    oldBitmap = SelectObject(memDc, bitmap);
    return true;
}

bool CreateSurfaces() {
    HDC dc = GetDC(session.hostWindow);
    const bool ok = CreateSurface(dc, kPageWidth, kPageHeight, session.pageDc, session.pageBitmap,
                                  session.pageDcOldBitmap) &&
                    CreateSurface(dc, kWorkSize, kWorkSize, session.workDc, session.workBitmap,
                                  session.workDcOldBitmap);
    ReleaseDC(session.hostWindow, dc);
    return ok;
}

void MeasurePageArea() {
    RECT area;
    GetClientRect(session.hostWindow, &area);
    area.top += 30;
    area.bottom -= 30;
    HDC screen = GetDC(nullptr);
    int rowHeight = LineHeight(screen) * 3 / 2;
    ReleaseDC(nullptr, screen);
    if (rowHeight == 0)
        rowHeight = 20;
    session.pageAreaWidth = area.right;
    session.pageAreaHeight = area.bottom - rowHeight - 6;
}

bool CreatePageFonts() {
    HDC dc = GetDC(session.hostWindow);
    bool ok = true;
    for (int i = 0; i < kFontCount && ok; ++i)
        ok = CreatePageFont(dc, i);
    ReleaseDC(session.hostWindow, dc);
    return ok;
}

void ClearSurfaces() {
    session.pageDc = nullptr;
    session.pageBitmap = nullptr;
    session.pageDcOldBitmap = nullptr;
    session.workDc = nullptr;
    session.workBitmap = nullptr;
    session.workDcOldBitmap = nullptr;
    for (HFONT& font : session.fonts)
        font = nullptr;
}

// Negative values ask for no start animation and carry the language complemented.
void TakeLanguageArgument(int value) {
    session.showStartMode = 1;
    if (value < 0) {
        session.showStartMode = 0;
        value = ~value;
    }
    session.language = value >= 0 && value <= 6 ? value : 0;
}

int OpenSession(HWND hostWindow, HINSTANCE hostInstance, HostTextCallback callback,
                const char* catalogueDirectory, int language) {
    session.bigCursor = LoadCursorA(session.moduleInstance, "BIG");
    session.flow.phase = kPagePhase;
    session.flow.pageCount = kPageCount;
    session.flow.pages = pageNavigation;
    SelectScript(0);
    session.hostWindow = hostWindow;
    session.hostTextCallback = callback;
    session.hostInstance = hostInstance;
    TakeLanguageArgument(language);
    GetHostText(kTitleTextId, session.titleText, kTitleTextSize);
    LoadCatalogue(catalogueDirectory ? catalogueDirectory : "");

    ClearSurfaces();
    session.flow.currentPage = 0;
    session.flow.nextPageTime = -1;
    session.pageAreaWidth = kPageWidth;
    session.pageAreaHeight = kPageHeight;
    if (!CreateSurfaces())
        return 0;
    MeasurePageArea();
    if (!CreatePageFonts())
        return 0;

    ShowPage(0);
    if (!StartShow())
        PostMessageA(session.hostWindow, WM_COMMAND,
                     SelectedScriptHasSteps() ? kNextCommand : kEndCommand, 0);
    return 1;
}

int RestartSession(int language) {
    if (!session.hostWindow || !session.hostTextCallback || !session.hostInstance)
        return 0;
    session.language = language >= 0 && language <= 6 ? language : 0;
    ShowPage(0);
    return 1;
}

} // namespace

extern "C" int __stdcall DemoInit(HWND hostWindow, HINSTANCE hostInstance,
                                  HostTextCallback callback, const char* catalogueDirectory,
                                  int language) {
    if (!hostWindow || !hostInstance || !callback)
        return RestartSession(language);
    if (session.hostWindow)
        return 0;
    return OpenSession(hostWindow, hostInstance, callback, catalogueDirectory, language);
}
