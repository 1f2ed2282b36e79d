// The slide show window over the host window, played by the show library.
#pragma once

// Starts the show; 1 when it runs, 0 when it could not be started.
int StartShow();

// Ends a running show without telling the host (which has ended the session
// or is unloading the module): the library is stopped and unloaded, the
// window destroyed. Nothing of the show is left pointing into the module.
void EndShowSilently();

// Takes back the show window's class, so no class outlives the module with
// its window procedure. Fails, harmlessly, while a show window still lives.
void UnregisterShowClass();
