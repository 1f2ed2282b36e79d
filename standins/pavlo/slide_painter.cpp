#include "pavlo/slide_painter.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace pavlo {
namespace {

const COLORREF kBackground = RGB(244, 247, 252);
const COLORREF kFrameActive = RGB(30, 60, 120);
const COLORREF kFrameInactive = RGB(150, 160, 175);
const COLORREF kTitleColour = RGB(20, 40, 90);
const COLORREF kTextColour = RGB(60, 60, 70);
const COLORREF kTraceColour = RGB(150, 190, 235);

COLORREF Blend(COLORREF from, COLORREF to, int level, int levels) {
    auto mix = [&](int a, int b) { return a + (b - a) * level / levels; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

HFONT MakeFont(int height, int weight) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "Arial");
}

void FillArea(HDC dc, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void DrawFrame(HDC dc, const RECT& area, bool active) {
    HBRUSH brush = CreateSolidBrush(active ? kFrameActive : kFrameInactive);
    RECT ring = area;
    for (int i = 0; i < 3; ++i) {
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, brush);
    }
    DeleteObject(brush);
}

// A faint sine trace along the bottom, the show's measuring motif.
void DrawTrace(HDC dc, const RECT& area) {
    int width = area.right - area.left - 16;
    if (width < 2)
        return;
    int baseline = area.bottom - (area.bottom - area.top) / 8;
    int amplitude = (area.bottom - area.top) / 20;
    HPEN pen = CreatePen(PS_SOLID, 2, kTraceColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int x = 0; x <= width; ++x) {
        int y = baseline - static_cast<int>(amplitude * std::sin(x * 6.2831853 * 3 / width));
        if (x == 0)
            MoveToEx(dc, area.left + 8, y, nullptr);
        else
            LineTo(dc, area.left + 8 + x, y);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawLine(HDC dc, const std::string& text, RECT& band, int height, int weight,
              COLORREF colour) {
    HFONT font = MakeFont(height, weight);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, colour);
    RECT line = band;
    line.bottom = line.top + height * 3 / 2;
    DrawTextA(dc, text.c_str(), -1, &line, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    band.top = line.bottom;
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void DrawCounter(HDC dc, const RECT& area, int number, int count) {
    char text[32];
    std::snprintf(text, sizeof text, "%d / %d", number, count);
    HFONT font = MakeFont(14, FW_NORMAL);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, kTextColour);
    RECT corner = area;
    InflateRect(&corner, -12, -10);
    DrawTextA(dc, text, -1, &corner, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void DrawContent(HDC dc, const RECT& area, const ShowSequence& show, const SlideLook& look) {
    int height = area.bottom - area.top;
    int titleHeight = height / 7 > 16 ? height / 7 : 16;
    int textHeight = height / 16 > 12 ? height / 16 : 12;
    RECT band = area;
    InflateRect(&band, -8, 0);
    band.top += height / 5;
    SetBkMode(dc, TRANSPARENT);

    const Slide* slide = show.Current();
    if (slide == nullptr) {
        COLORREF title = Blend(kBackground, kTitleColour, show.IntroLevel(), kIntroSteps);
        COLORREF text = Blend(kBackground, kTextColour, show.IntroLevel(), kIntroSteps);
        DrawLine(dc, look.cardTitle, band, titleHeight, FW_BOLD, title);
        DrawLine(dc, look.cardSubtitle, band, textHeight, FW_NORMAL, text);
        return;
    }
    DrawLine(dc, slide->title, band, titleHeight, FW_BOLD, kTitleColour);
    for (const std::string& line : slide->lines)
        DrawLine(dc, line, band, textHeight, FW_NORMAL, kTextColour);
    DrawCounter(dc, area, show.CurrentSlide() + 1, show.SlideCount());
}

} // namespace

void PaintShow(HDC dc, const RECT& area, const ShowSequence& show, const SlideLook& look) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    HDC memoryDc = CreateCompatibleDC(dc);
    HBITMAP bitmap = memoryDc ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    HDC target = bitmap ? memoryDc : dc;
    HGDIOBJ oldBitmap = bitmap ? SelectObject(memoryDc, bitmap) : nullptr;
    RECT local = {0, 0, width, height};
    const RECT& canvas = bitmap ? local : area;

    FillArea(target, canvas, kBackground);
    DrawTrace(target, canvas);
    DrawFrame(target, canvas, look.active);
    DrawContent(target, canvas, show, look);

    if (bitmap) {
        BitBlt(dc, area.left, area.top, width, height, memoryDc, 0, 0, SRCCOPY);
        SelectObject(memoryDc, oldBitmap);
        DeleteObject(bitmap);
    }
    if (memoryDc)
        DeleteDC(memoryDc);
}

} // namespace pavlo
