// A printed order page checked against its layout: the text cells and grid
// lines of a page, worked out from the print geometry alone, the ink of the
// page's image that lies outside all of them, and the words whose boxes
// leave their cell.
#pragma once

#include <string>
#include <vector>

#include "print/print_geometry.h"

// A rectangle in printer device units; right and bottom are outside it.
struct DeviceBox {
    int left, top, right, bottom;
};

struct PageLayout {
    std::vector<DeviceBox> cells; // every place a text may stand
    std::vector<DeviceBox> lines; // the grid, one device unit thick
};

// The cells and lines of a page with `rows` row slots.
PageLayout OrderPageLayout(const PrintGeometry& geometry, int rows);

// Where device units land on the paper: a device unit x lies at
// (x + offsetX) / dpiX inches from the paper's left edge.
struct DevicePlacement {
    int dpiX, dpiY;
    int offsetX, offsetY;
};

// An 8-bit grey image of a page rendered at `dpi`.
struct PageImage {
    int dpi = 0;
    int width = 0, height = 0;
    std::string pixels; // row by row
};
// A page image from the bytes of a binary PGM file; empty when unreadable.
PageImage ParsePgm(const std::string& file, int dpi);

// Dark pixels (below mid-grey) outside every cell and line, each of them
// widened by `slackPixels` for anti-aliasing.
int InkOutsideLayout(const PageImage& image, const PageLayout& layout,
                     const DevicePlacement& placement, int slackPixels);

// A word of pdftotext's -bbox output, in points from the page's top left.
struct PdfWord {
    double xMin, yMin, xMax, yMax;
    std::string text;
};
// The words of each page of pdftotext's -bbox output.
std::vector<std::vector<PdfWord>> ParseWordBoxes(const std::string& xhtml);

// Words that do not lie wholly across one cell (within `slackPoints`) of
// the cells whose line holds the word's middle.
std::vector<PdfWord> WordsOutsideCells(const std::vector<PdfWord>& words, const PageLayout& layout,
                                       const DevicePlacement& placement, double slackPoints);
