// The slide show window over the host window, played by the show library.
#pragma once

// Starts the show; 1 when it runs, 0 when it could not be started.
int StartShow();
