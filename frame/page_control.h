// Showing pages in the host window.
#pragma once

// Shows page `index` (or leaves the page phase past the last page); a result
// code as DemoTick returns it.
int ShowPage(int index);
