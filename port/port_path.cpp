#include <cstring>

#include "port/port_link.h"

bool BuildPortLibraryPath(const char* modulePath, char* out, size_t size) {
    const char* lastSlash = std::strrchr(modulePath, '\\');
    const size_t folderLength = lastSlash ? static_cast<size_t>(lastSlash - modulePath) + 1 : 0;
    if (folderLength + sizeof kPortLibraryName > size)
        return false;
    std::memcpy(out, modulePath, folderLength);
    std::memcpy(out + folderLength, kPortLibraryName, sizeof kPortLibraryName);
    return true;
}
