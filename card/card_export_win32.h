// The export through which the host converts a memory-card image.
#pragma once

// ConvPCCardFun: 0, or the result codes of card_conversion.h: -1, -4, -5.
#include "include/brenk_C.h"
