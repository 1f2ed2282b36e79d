#include "common/call_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace standin {

void AppendCallLog(const char* environmentVariable, const char* format, ...) {
    // Read through kernel32 rather than getenv, so that a test's own
    // SetEnvironmentVariableA is seen as well as _putenv.
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(environmentVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;

    char line[512];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (written < 0)
        return;
    DWORD size = static_cast<DWORD>(written) < sizeof line - 1 ? written : sizeof line - 2;
    line[size++] = '\n';

    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD done = 0;
    WriteFile(file, line, size, &done, nullptr);
    CloseHandle(file);
}

} // namespace standin
