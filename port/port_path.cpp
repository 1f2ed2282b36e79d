#include <cstring>

#include "port/port_link.h"

bool BuildPortLibraryPath(const char* modulePath, char* out, size_t size) {
    static const char kLibraryName[] = "FENNIK.DLL";
    const char* lastSlash = std::strrchr(modulePath, '\\');
    const size_t folderLength = lastSlash ? static_cast<size_t>(lastSlash - modulePath) + 1 : 0;
    if (folderLength + sizeof kLibraryName > size)
        return false;
    std::memcpy(out, modulePath, folderLength);
    std::memcpy(out + folderLength, kLibraryName, sizeof kLibraryName);
    return true;
}
