#include "config/catalogue_scratch.h"

char scratchText[kScratchTextSize];
