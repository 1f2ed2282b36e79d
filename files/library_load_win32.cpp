#include "files/library_load_win32.h"

#include "files/library_path.h"

namespace {

// A folder's path as the call hands it back; false when it failed or did not
// fit (the calls then give the size they need, not a path).
bool FitsBuffer(UINT length, UINT size) {
    return length != 0 && length < size;
}

HMODULE LoadFromFolder(const char* folder, const char* name) {
    char path[MAX_PATH];
    return LibraryPathInFolder(folder, name, path, sizeof path) ? LoadLibraryAt(path) : nullptr;
}

} // namespace

HMODULE LoadLibraryAt(const char* fullPath) {
    if (!IsFullPath(fullPath))
        return nullptr;
    return LoadLibraryExA(fullPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadLibraryBeside(HMODULE module, const char* name) {
    char modulePath[MAX_PATH];
    // A cut path is not even terminated on XP.
    if (!FitsBuffer(GetModuleFileNameA(module, modulePath, MAX_PATH), MAX_PATH))
        return nullptr;
    char path[MAX_PATH];
    return LibraryPathBeside(modulePath, name, path, sizeof path) ? LoadLibraryAt(path) : nullptr;
}

HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    if (!FitsBuffer(GetSystemDirectoryA(folder, MAX_PATH), MAX_PATH))
        return nullptr;
    return LoadFromFolder(folder, name);
}

HMODULE LoadLibraryFromWindowsFolders(const char* name) {
    if (HMODULE library = LoadSystemLibrary(name))
        return library;
    // The shared Windows folder, not a Terminal Services user's own copy of it.
    char windowsFolder[MAX_PATH];
    if (!FitsBuffer(GetSystemWindowsDirectoryA(windowsFolder, MAX_PATH), MAX_PATH))
        return nullptr;
    char systemFolder16[MAX_PATH];
    if (LibraryPathInFolder(windowsFolder, "SYSTEM", systemFolder16, sizeof systemFolder16))
        if (HMODULE library = LoadFromFolder(systemFolder16, name))
            return library;
    return LoadFromFolder(windowsFolder, name);
}
