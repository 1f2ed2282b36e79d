// Where the show library is looked for.
#pragma once

#include <windows.h>

// The show library, by full path from the first of these folders that holds
// one that loads: the host program's folder, the Windows system folders, the
// module's own folder. Never the current folder or PATH, which the host's
// user (or anyone who can leave a file there) decides. Null if none loads.
HMODULE LoadShowLibrary();
