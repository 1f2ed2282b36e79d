// The instrument interface library, loaded from the module's own folder.
#pragma once

// The library and the entry points it must export (stdcall, plain names).
constexpr char kPortLibraryName[] = "FENNIK.DLL";
constexpr char kSetPortEntry[] = "SetIComPort";
constexpr char kClosePortEntry[] = "CloseIComPort";

void LoadPortLibrary();
void UnloadPortLibrary();
