// The instrument interface library, loaded from the module's own folder.
#pragma once

#include <cstddef>

// The library and the entry points it must export (stdcall, plain names).
constexpr char kPortLibraryName[] = "FENNIK.DLL";
constexpr char kSetPortEntry[] = "SetIComPort";
constexpr char kClosePortEntry[] = "CloseIComPort";

// Builds "<folder of modulePath>\FENNIK.DLL" into out (capacity `size`).
// False when the result would not fit: then no library may be loaded.
bool BuildPortLibraryPath(const char* modulePath, char* out, size_t size);

void LoadPortLibrary();
void UnloadPortLibrary();
