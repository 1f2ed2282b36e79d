// Full paths of libraries loaded at run time. A library is only ever loaded
// by a full path: given a bare or relative name, the system would look in the
// current folder and every folder on PATH, where anyone may leave a file.
#pragma once

#include <cstddef>

// True for "X:\..." and "\\server\share\..." (either slash).
bool IsFullPath(const char* path);

// Writes "<folder>\<name>" into out (capacity `size`); the folder may end in a
// backslash. False, and nothing to load, when the folder is not a full path or
// the result would not fit.
bool LibraryPathInFolder(const char* folder, const char* name, char* out, size_t size);

// Writes the path of `name` beside the file at `filePath` (its last part
// replaced). False as above, and for a file path that names no folder.
bool LibraryPathBeside(const char* filePath, const char* name, char* out, size_t size);
