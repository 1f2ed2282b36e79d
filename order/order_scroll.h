// Where the five lists of the order sheet scroll to.
#pragma once

constexpr int kVisibleOrderLines = 11;

// Highest top line the lists can reach; 0 with fewer than 11 items.
int LastTopLine(int itemCount);

// New top line for a scroll request (line/page up/down, thumb); other
// requests keep `top`. Thumb positions are clamped to 0..LastTopLine.
int ScrolledTopLine(int request, int thumbPosition, int top, int itemCount);

// The selection moved onto one of the 11 lines shown from `top`.
int VisibleSelection(int top, int selected);
