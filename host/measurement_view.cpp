#include "host/measurement_view.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// A font selected for the life of the object.
class ScopedFont {
  public:
    ScopedFont(HDC dc, int height, int weight, bool italic = false, const char* face = "Arial")
        : dc_(dc) {
        font_ = CreateFontA(-height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, face);
        old_ = SelectObject(dc, font_);
    }
    ~ScopedFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

void Fill(HDC dc, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void Text(HDC dc, RECT area, const std::string& text, UINT format, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), -1, &area, format | DT_NOPREFIX);
}

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string StatusLine(const Instrument& meter) {
    std::string line =
        !meter.connected ? "Instrument not connected"
        : meter.Reconnecting()
            ? "Reconnecting at " + std::string(meter.fastInterface ? "115200" : "9600") + " Bd..."
            : "Instrument connected at " + std::string(meter.fastInterface ? "115200" : "9600") +
                  " Bd";
    if (meter.connected) {
        line += meter.measuring
                    ? "  |  measuring, " + std::to_string(kReadingRates[meter.rateIndex]) + "/s"
                    : "  |  stopped";
        line +=
            "  |  range " + std::string(meter.autoRange ? "auto" : kRangeNames[meter.rangeIndex]);
    }
    if (!meter.recorded.empty() || meter.recording) {
        line += "  |  recording " + std::to_string(meter.recorded.size());
        if (meter.recordTarget > 0)
            line += "/" + std::to_string(meter.recordTarget);
        line += meter.recordingSaved ? " (saved)" : meter.recording ? "" : " (not saved)";
    }
    return line;
}

std::string FilesLine(const Instrument& meter) {
    std::string line;
    for (const SavedFile& file : meter.files)
        line += (line.empty() ? "Saved: " : ", ") + file.name + " (" +
                std::to_string(file.readings) + ")";
    if (!meter.printed.empty())
        line += (line.empty() ? "" : "   ") + std::string("Printed: ") + meter.printed;
    return line;
}

void PaintMeter(HDC dc, RECT area, const Instrument& meter) {
    const std::vector<Reading>& shown = meter.Shown();
    if (shown.empty()) {
        ScopedFont font(dc, 28, FW_BOLD);
        Text(dc, area, meter.connected ? "Start a measurement" : "- - -",
             DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(90, 90, 90));
        return;
    }
    const int last = static_cast<int>(shown.size()) - 1;
    const Reading& latest = meter.measuring || meter.recorded.empty()
                                ? shown.back()
                                : shown[std::min(meter.cursor, last)];
    RECT line = area;
    line.bottom = line.top + 70;
    {
        ScopedFont font(dc, 56, FW_BOLD, false, "Courier New");
        Text(dc, line, Format("%8.2f V", latest.volts), DT_CENTER | DT_SINGLELINE, RGB(0, 90, 0));
        OffsetRect(&line, 0, 70);
        Text(dc, line, Format("%8.3f A", latest.amps), DT_CENTER | DT_SINGLELINE, RGB(0, 60, 140));
    }
    ScopedFont font(dc, 20, FW_BOLD);
    OffsetRect(&line, 0, 75);
    line.bottom = line.top + 28;
    const Formula& formula = meter.formula;
    if (formula.showInMeter && !formula.text.empty()) {
        Text(dc, line,
             formula.name + " = " + Format("%.1f ", FormulaValue(formula, latest)) + formula.unit +
                 "   (" + formula.text + ")",
             DT_CENTER | DT_SINGLELINE, RGB(140, 60, 0));
        OffsetRect(&line, 0, 28);
    }
    if (meter.statistics) {
        const VoltStatistics s = StatisticsOf(shown);
        Text(dc, line,
             Format("min %.2f V   max %.2f V   mean %.2f V", s.minimum, s.maximum, s.mean),
             DT_CENTER | DT_SINGLELINE, RGB(60, 60, 60));
    }
}

void PaintTable(HDC dc, RECT area, const Instrument& meter) {
    const std::vector<Reading>& shown = meter.Shown();
    ScopedFont font(dc, 15, FW_NORMAL, false, "Courier New");
    constexpr int kRowHeight = 18;
    const int rows = std::max(1, static_cast<int>(area.bottom - area.top) / kRowHeight - 1);
    RECT line{area.left + 40, area.top, area.right - 40, area.top + kRowHeight};
    Text(dc, line, "   No.     Time s       U / V       I / A", DT_LEFT | DT_SINGLELINE,
         RGB(0, 0, 0));
    const int count = static_cast<int>(shown.size());
    const int first = std::max(0, std::min(meter.cursor - rows / 2, count - rows));
    for (int i = first; i < count && i < first + rows; ++i) {
        OffsetRect(&line, 0, kRowHeight);
        if (i == meter.cursor)
            Fill(dc, line, RGB(255, 230, 150));
        char text[96];
        std::snprintf(text, sizeof text, "%6d  %9.2f   %9.2f   %9.3f", i + 1,
                      shown[i].time / 1000.0, shown[i].volts, shown[i].amps);
        Text(dc, line, text, DT_LEFT | DT_SINGLELINE, RGB(0, 0, 0));
    }
}

void PaintGraph(HDC dc, RECT area, const Instrument& meter) {
    const std::vector<Reading>& shown = meter.Shown();
    InflateRect(&area, -30, -10);
    HPEN axis = CreatePen(PS_SOLID, 1, RGB(80, 80, 80));
    HGDIOBJ old = SelectObject(dc, axis);
    MoveToEx(dc, area.left, area.top, nullptr);
    LineTo(dc, area.left, area.bottom);
    LineTo(dc, area.right, area.bottom);
    SelectObject(dc, old);
    DeleteObject(axis);
    if (shown.size() < 2)
        return;
    const int count = static_cast<int>(shown.size());
    const int first = meter.FirstVisible();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    auto x = [&](int i) {
        return area.left + (i - first) * width / std::max(1, count - 1 - first);
    };
    auto y = [&](double volts) {
        const double scaled = (volts - 224.0) / 12.0; // 224 V .. 236 V
        return area.bottom - static_cast<int>(std::max(0.0, std::min(1.0, scaled)) * height);
    };
    HPEN trace = CreatePen(PS_SOLID, 2, RGB(0, 110, 0));
    old = SelectObject(dc, trace);
    MoveToEx(dc, x(first), y(shown[first].volts), nullptr);
    for (int i = first + 1; i < count; ++i)
        LineTo(dc, x(i), y(shown[i].volts));
    SelectObject(dc, old);
    DeleteObject(trace);
    if (meter.cursor >= first && meter.cursor < count) {
        RECT marker{x(meter.cursor) - 1, area.top, x(meter.cursor) + 1, area.bottom};
        Fill(dc, marker, RGB(200, 0, 0));
        ScopedFont font(dc, 14, FW_NORMAL);
        RECT label{area.left + 8, area.top, area.right, area.top + 18};
        Text(dc, label,
             "Reading " + std::to_string(meter.cursor + 1) + ": " +
                 Format("%.2f V", shown[meter.cursor].volts),
             DT_LEFT | DT_SINGLELINE, RGB(200, 0, 0));
    }
}

} // namespace

void PaintMeasurementView(HDC dc, const RECT& area, const Instrument& meter) {
    Fill(dc, area, RGB(250, 250, 246));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT header{area.left + 10, area.top + 4, area.right - 10, area.top + 22};
    {
        ScopedFont font(dc, 14, FW_BOLD);
        Text(dc, header, StatusLine(meter), DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS,
             RGB(0, 0, 0));
        OffsetRect(&header, 0, 18);
        Text(dc, header, FilesLine(meter), DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS,
             RGB(0, 70, 0));
    }
    RECT body{area.left, area.top + 44, area.right, area.bottom};
    switch (meter.view) {
    case ViewMode::Meter:
        PaintMeter(dc, body, meter);
        break;
    case ViewMode::Table:
        PaintTable(dc, body, meter);
        break;
    case ViewMode::Graph:
        PaintGraph(dc, body, meter);
        break;
    }
    SetBkMode(dc, previousMode);
}

void PaintTextPanel(HDC dc, const RECT& area, const TextPanel& panel) {
    Fill(dc, area, RGB(255, 252, 215));
    RECT edge{area.left, area.top, area.right, area.top + 1};
    Fill(dc, edge, RGB(160, 150, 90));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT line{area.left + 12, area.top + 6, area.right - 12, area.top + 30};
    if (!panel.title.empty()) {
        ScopedFont font(dc, 19, FW_BOLD);
        Text(dc, line, panel.title, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS, RGB(0, 0, 110));
        OffsetRect(&line, 0, 26);
    }
    if (!panel.explanation.empty()) {
        ScopedFont font(dc, 17, FW_NORMAL);
        RECT text{line.left, line.top, line.right, line.top + 46};
        Text(dc, text, panel.explanation, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS, RGB(0, 0, 0));
        OffsetRect(&line, 0, 46);
    }
    if (!panel.note.empty()) {
        ScopedFont font(dc, 16, FW_NORMAL, true);
        RECT text{line.left + 16, line.top, line.right, area.bottom - 4};
        Text(dc, text, "Note: " + panel.note, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS,
             RGB(120, 60, 0));
    }
    SetBkMode(dc, previousMode);
}
