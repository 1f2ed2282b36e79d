// Loading libraries at run time by full path only, from folders the program's
// installer controls: never the current folder, never PATH. Each library is
// loaded with LOAD_WITH_ALTERED_SEARCH_PATH, so that what it imports itself is
// looked for beside it first. Calls that Windows XP SP3 has; the process-wide
// DLL search settings are the host's and are left alone.
#pragma once

#include <windows.h>

// The library at `fullPath`; null for a relative path or a library that does
// not load.
HMODULE LoadLibraryAt(const char* fullPath);

// `name` from the folder of `module` (null: the program's own folder). Null
// when that folder's path does not fit MAX_PATH: a cut path would name
// another folder.
HMODULE LoadLibraryBeside(HMODULE module, const char* name);

// `name` from the system folder (GetSystemDirectory).
HMODULE LoadSystemLibrary(const char* name);

// `name` from the folders Windows keeps its own libraries in, as its search
// order has them: the system folder, the 16-bit system folder ("SYSTEM" in
// the Windows folder) and the Windows folder itself.
HMODULE LoadLibraryFromWindowsFolders(const char* name);
