#include "printed_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/catalogue.h"

namespace {

// The right block of the letterhead: five address lines, a free line and
// two fields at most.
constexpr int kRightBlockLines = 8;

DeviceBox TextLine(int left, int right, int top, int lineHeight) {
    return {left, top, right, top + lineHeight};
}

DeviceBox HorizontalLine(int x1, int x2, int y) {
    return {x1, y, x2 + 1, y + 1};
}

DeviceBox VerticalLine(int x, int y1, int y2) {
    return {x, y1, x + 1, y2 + 1};
}

void AddLetterhead(const PrintGeometry& g, std::vector<DeviceBox>& cells) {
    const int lh = g.lineHeight;
    cells.push_back(TextLine(g.left, g.left + g.split - g.leftText, g.headTop, lh));
    for (int k = 1; k <= kAddressLines; ++k)
        cells.push_back(
            TextLine(g.leftText, g.leftText + g.split - g.left, g.headTop + k * lh, lh));
    cells.push_back(TextLine(g.split, g.right, g.headTop, lh));
    for (int k = 1; k <= kRightBlockLines; ++k)
        cells.push_back(TextLine(g.rightText, g.right, g.headTop + k * lh, lh));
    for (int k = 0; k < 2; ++k)
        cells.push_back(TextLine(g.left, g.split, g.secondTop + k * lh, lh));
}

// Headings, item rows and the two totals with their labels.
void AddTableCells(const PrintGeometry& g, int rows, std::vector<DeviceBox>& cells) {
    const int* c = g.columns;
    const int lh = g.lineHeight;
    for (int row = 0; row <= rows; ++row)
        for (int column = 1; column < kPrintColumnEdges; ++column)
            cells.push_back(TextLine(c[column - 1], c[column], RowTextTop(g, row), lh));
    const int labelRight = c[4] - 2 * g.unitX;
    for (int row = rows + 1; row <= rows + 2; ++row) {
        cells.push_back(TextLine(c[2], labelRight, RowTextTop(g, row), lh));
        cells.push_back(TextLine(c[4], c[5], RowTextTop(g, row), lh));
    }
}

void AddFooter(const PrintGeometry& g, int rows, std::vector<DeviceBox>& cells) {
    const int* c = g.columns;
    const int lh = g.lineHeight;
    const int footer = FooterTop(g, rows);
    const int labelRight = c[4] - 2 * g.unitX;
    cells.push_back(TextLine(c[2], labelRight, footer, lh));
    cells.push_back(TextLine(c[4], c[5], footer, lh));
    cells.push_back(TextLine(c[2], labelRight, footer + 2 * lh, lh));
    for (int k = 0; k < kNoteLines; ++k)
        cells.push_back(TextLine(g.left, c[4], footer + (3 + k) * lh, lh));
}

// The table's lines: full-width rules below every row slot (the first two
// doubled), the columns, and the box of the two totals with a double rule
// under it.
void AddGrid(const PrintGeometry& g, int rows, std::vector<DeviceBox>& lines) {
    const int* c = g.columns;
    const int top = g.tableTop;
    const int rh = g.rowHeight;
    for (int k = 0; k <= rows + 1; ++k)
        lines.push_back(HorizontalLine(c[0], c[5], top + k * rh));
    for (int k = 0; k <= 1; ++k)
        lines.push_back(HorizontalLine(c[0], c[5], top + k * rh + g.unitY));
    for (int k = 0; k <= 3; ++k)
        lines.push_back(VerticalLine(c[k], top, top + (rows + 1) * rh));
    for (int k = 4; k <= 5; ++k)
        lines.push_back(VerticalLine(c[k], top, top + (rows + 3) * rh));
    lines.push_back(HorizontalLine(c[4], c[5], top + (rows + 2) * rh));
    const int bottom = top + (rows + 3) * rh;
    lines.push_back(HorizontalLine(c[4], c[5] + 1, bottom));
    lines.push_back(HorizontalLine(c[4], c[5] + 1, bottom + g.unitY));
}

// A device box in points from the paper's top left.
struct PointBox {
    double left, top, right, bottom;
};

PointBox InPoints(const DeviceBox& box, const DevicePlacement& p) {
    const double x = 72.0 / p.dpiX, y = 72.0 / p.dpiY;
    return {(box.left + p.offsetX) * x, (box.top + p.offsetY) * y, (box.right + p.offsetX) * x,
            (box.bottom + p.offsetY) * y};
}

// The value of attribute `name` in the tag starting at `from`.
double Attribute(const std::string& text, size_t from, const char* name) {
    const size_t at = text.find(std::string(name) + "=\"", from);
    return at == std::string::npos ? 0.0 : std::atof(text.c_str() + at + std::strlen(name) + 2);
}

} // namespace

PageLayout OrderPageLayout(const PrintGeometry& geometry, int rows) {
    PageLayout layout;
    AddLetterhead(geometry, layout.cells);
    AddTableCells(geometry, rows, layout.cells);
    AddFooter(geometry, rows, layout.cells);
    AddGrid(geometry, rows, layout.lines);
    return layout;
}

PageImage ParsePgm(const std::string& file, int dpi) {
    PageImage image;
    int maxValue = 0, used = 0;
    if (std::sscanf(file.c_str(), "P5 %d %d %d%n", &image.width, &image.height, &maxValue, &used) !=
        3)
        return {};
    image.dpi = dpi;
    image.pixels = file.substr(static_cast<size_t>(used) + 1);
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return {};
    return image;
}

int InkOutsideLayout(const PageImage& image, const PageLayout& layout,
                     const DevicePlacement& placement, int slackPixels) {
    std::vector<char> allowed(image.pixels.size(), 0);
    auto allow = [&](const DeviceBox& box) {
        const PointBox points = InPoints(box, placement);
        const double scale = image.dpi / 72.0;
        const int x0 = std::max(0, static_cast<int>(std::floor(points.left * scale)) - slackPixels);
        const int y0 = std::max(0, static_cast<int>(std::floor(points.top * scale)) - slackPixels);
        const int x1 =
            std::min(image.width, static_cast<int>(std::ceil(points.right * scale)) + slackPixels);
        const int y1 = std::min(image.height,
                                static_cast<int>(std::ceil(points.bottom * scale)) + slackPixels);
        for (int y = y0; y < y1; ++y)
            std::fill(allowed.begin() + y * image.width + x0,
                      allowed.begin() + y * image.width + std::max(x0, x1), 1);
    };
    for (const DeviceBox& cell : layout.cells)
        allow(cell);
    for (const DeviceBox& line : layout.lines)
        allow(line);
    int ink = 0;
    for (size_t i = 0; i < image.pixels.size(); ++i)
        ink += !allowed[i] && static_cast<unsigned char>(image.pixels[i]) < 128;
    return ink;
}

std::vector<std::vector<PdfWord>> ParseWordBoxes(const std::string& xhtml) {
    std::vector<std::vector<PdfWord>> pages;
    for (size_t at = xhtml.find('<'); at != std::string::npos; at = xhtml.find('<', at + 1)) {
        if (xhtml.compare(at, 6, "<page ") == 0) {
            pages.emplace_back();
        } else if (xhtml.compare(at, 6, "<word ") == 0 && !pages.empty()) {
            const size_t start = xhtml.find('>', at) + 1;
            const size_t end = xhtml.find("</word>", start);
            pages.back().push_back({Attribute(xhtml, at, "xMin"), Attribute(xhtml, at, "yMin"),
                                    Attribute(xhtml, at, "xMax"), Attribute(xhtml, at, "yMax"),
                                    xhtml.substr(start, end - start)});
        }
    }
    return pages;
}

std::vector<PdfWord> WordsOutsideCells(const std::vector<PdfWord>& words, const PageLayout& layout,
                                       const DevicePlacement& placement, double slackPoints) {
    std::vector<PdfWord> outside;
    for (const PdfWord& word : words) {
        const double middle = (word.yMin + word.yMax) / 2;
        const bool inside =
            std::any_of(layout.cells.begin(), layout.cells.end(), [&](const DeviceBox& cell) {
                const PointBox box = InPoints(cell, placement);
                return middle >= box.top && middle < box.bottom &&
                       word.xMin >= box.left - slackPoints && word.xMax <= box.right + slackPoints;
            });
        if (!inside)
            outside.push_back(word);
    }
    return outside;
}
