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

    // An offset in an OVERLAPPED on a handle opened for synchronous calls
    // reads there (and moves the file pointer behind it); at or past the end
    // such a read fails with ERROR_HANDLE_EOF, which is the end, not an error.
    static int64_t ReadAt(HANDLE handle, int64_t offset, uint8_t* buffer, uint32_t count) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
        DWORD got = 0;
        if (ReadFile(handle, buffer, count, &got, &at))
            return static_cast<int64_t>(got);
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
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
