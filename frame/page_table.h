// The built-in presentation pages: navigation fields and drawing items.
#pragma once

#include "frame/page_flow.h"
#include "render/page_items.h"

constexpr int kPageCount = 2;

// Changed in place while the module runs (durations, loop counters).
extern PageNavigation pageNavigation[kPageCount];
extern const PageItems pageItems[kPageCount];
