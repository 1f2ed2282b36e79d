#include "files/system_file.h"

#include <windows.h>

namespace {

struct Win32Calls {
    using Handle = HANDLE;

    static HANDLE None() { return INVALID_HANDLE_VALUE; }

    static int64_t Read(HANDLE handle, uint8_t* buffer, uint32_t count) {
        DWORD got = 0;
        return ReadFile(handle, buffer, count, &got, nullptr) ? static_cast<int64_t>(got) : -1;
    }

    static int64_t Write(HANDLE handle, const uint8_t* bytes, uint32_t count) {
        DWORD put = 0;
        return WriteFile(handle, bytes, count, &put, nullptr) ? static_cast<int64_t>(put) : -1;
    }

    // A failed call is not made again on Windows.
    static bool Interrupted() { return false; }

    static bool Seek(HANDLE handle, int64_t offset) {
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        return SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN) != FALSE;
    }

    static int64_t Size(HANDLE handle) {
        LARGE_INTEGER size;
        return GetFileSizeEx(handle, &size) != FALSE ? size.QuadPart : -1;
    }

    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};

std::unique_ptr<File> Open(const char* path, DWORD access, DWORD creation) {
    return OpenSystemFile<Win32Calls>(CreateFileA(path, access, FILE_SHARE_READ, nullptr, creation,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

std::unique_ptr<File> OpenFileForReading(const char* path) {
    return Open(path, GENERIC_READ, OPEN_EXISTING);
}

std::unique_ptr<File> OpenFileForWriting(const char* path) {
    return Open(path, GENERIC_WRITE, CREATE_ALWAYS);
}
