// The interface exports: OpenIC answers for the simulated instrument, SetIC
// and CloseIC are passed on to the interface library.
#pragma once

#include "include/brenk_C.h"
