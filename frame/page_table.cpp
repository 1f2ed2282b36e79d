#include "frame/page_table.h"

// Page 0 waits for the show's end (its next command); page 1 stays three
// seconds and then leads past the last page into the script phase.
PageNavigation pageNavigation[kPageCount] = {
    {-1, -1, 1, 0, 0, 0, 0, 0},
    {30, 0, 2, 0, 0, 0, 0, 0},
};

namespace {
const ShapeItem kPage0Shapes[] = {
    {kStyleFill, {0, 0, 638, 410}, 0x00FFFFFF}, // clears the page
};
const TextItem kPage1Texts[] = {
    {8318, 319, 220, 0, kAlignCentre, 0x00000000},
};
} // namespace

const PageItems pageItems[kPageCount] = {
    {1, kPage0Shapes, 0, nullptr, 0, nullptr},
    {0, nullptr, 0, nullptr, 1, kPage1Texts},
};
