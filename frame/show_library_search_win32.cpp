#include "frame/show_library_search_win32.h"

#include "files/library_load_win32.h"
#include "frame/show_library.h"
#include "session/session.h"

HMODULE LoadShowLibrary() {
    if (HMODULE library = LoadLibraryBeside(nullptr, kShowLibraryName))
        return library;
    if (HMODULE library = LoadLibraryFromWindowsFolders(kShowLibraryName))
        return library;
    return LoadLibraryBeside(session.moduleInstance, kShowLibraryName);
}
