#include "render/page_contents.h"

// Page 0 is a white page under the slide show; page 1 names the price
// list's currency.
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
