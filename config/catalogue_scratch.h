// One module-wide 2000-byte text buffer, used in turn by the catalogue
// reader, the page texts, the order sheet and the print layout. Nobody keeps
// text in it across calls.
#pragma once

#include "config/catalogue_format.h"

extern char scratchText[kScratchTextSize];
