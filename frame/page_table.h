// The built-in presentation pages' navigation fields; what the pages show is
// render/page_contents.h.
#pragma once

#include "frame/page_flow.h"
#include "render/page_contents.h"

// Changed in place while the module runs (durations, loop counters).
extern PageNavigation pageNavigation[kPageCount];
