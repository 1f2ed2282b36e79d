// What the built-in presentation pages show: their shapes, bitmaps and
// texts. The page flow (frame/page_table.h) keeps their navigation.
#pragma once

#include "render/page_items.h"

constexpr int kPageCount = 2;

extern const PageItems pageItems[kPageCount];
