#include "order/order_scroll.h"

namespace {
enum ScrollRequest {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,
    kThumbTrack = 5
};
constexpr int kPageStep = 10;
} // namespace

int LastTopLine(int itemCount) {
    return itemCount > kVisibleOrderLines ? itemCount - kVisibleOrderLines : 0;
}

int ScrolledTopLine(int request, int thumbPosition, int top, int itemCount) {
    const int last = LastTopLine(itemCount);
    switch (request) {
    case kLineUp:
        return top > 0 ? top - 1 : top;
    case kLineDown:
        return top < last ? top + 1 : top;
    case kPageUp:
        return top - kPageStep < 0 ? 0 : top - kPageStep;
    case kPageDown:
        if (top >= last)
            return top;
        return top + kPageStep > last ? last : top + kPageStep;
    case kThumbPosition:
    case kThumbTrack:
        if (thumbPosition < 0)
            return 0;
        return thumbPosition > last ? last : thumbPosition;
    default:
        return top;
    }
}

int VisibleSelection(int top, int selected) {
    if (selected < top)
        return top;
    if (selected >= top + kVisibleOrderLines)
        return top + kVisibleOrderLines - 1;
    return selected;
}
