// The export through which the host asks for demo settings.
#pragma once

// DemoSetup, declared in the host's header.
#include "include/brenk_C.h"
