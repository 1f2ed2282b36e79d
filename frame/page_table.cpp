#include "frame/page_table.h"

// Page 0 waits for the show's end (its next command); page 1 stays three
// seconds and then leads past the last page into the script phase.
PageNavigation pageNavigation[kPageCount] = {
    {-1, -1, 1, 0, 0, 0, 0, 0},
    {30, 0, 2, 0, 0, 0, 0, 0},
};
