#include "files/library_path.h"

#include <cstring>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// folder[0, folderLength) + a backslash if it lacks one + name.
bool JoinPath(const char* folder, size_t folderLength, const char* name, char* out, size_t size) {
    const bool needsSeparator = !IsSeparator(folder[folderLength - 1]);
    const size_t nameSize = std::strlen(name) + 1;
    if (folderLength + (needsSeparator ? 1 : 0) + nameSize > size)
        return false;
    std::memcpy(out, folder, folderLength);
    if (needsSeparator)
        out[folderLength++] = '\\';
    std::memcpy(out + folderLength, name, nameSize);
    return true;
}

} // namespace

bool IsFullPath(const char* path) {
    if (IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]))
        return true;
    return IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != '\0';
}

bool LibraryPathInFolder(const char* folder, const char* name, char* out, size_t size) {
    if (!IsFullPath(folder))
        return false;
    return JoinPath(folder, std::strlen(folder), name, out, size);
}

bool LibraryPathBeside(const char* filePath, const char* name, char* out, size_t size) {
    if (!IsFullPath(filePath))
        return false;
    const char* lastSeparator = nullptr;
    for (const char* c = filePath; *c; ++c)
        if (IsSeparator(*c))
            lastSeparator = c;
    return JoinPath(filePath, static_cast<size_t>(lastSeparator - filePath) + 1, name, out, size);
}
