// The frame's exports: opening, restarting and freeing a session, the
// identification and floating-point exports, the host's tick, paint and
// commands, and the slide show window's procedure.
#pragma once

// The declarations are the host's own header's, so the two cannot drift.
#include "include/brenk_C.h"
#include "session/session.h"
