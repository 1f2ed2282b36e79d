#include "files/system_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct PosixCalls {
    using Handle = int;

    static int None() { return -1; }

    static int64_t Read(int descriptor, uint8_t* buffer, uint32_t count) {
        return read(descriptor, buffer, count);
    }

    static int64_t ReadAt(int descriptor, int64_t offset, uint8_t* buffer, uint32_t count) {
        return pread(descriptor, buffer, count, static_cast<off_t>(offset));
    }

    static int64_t Write(int descriptor, const uint8_t* bytes, uint32_t count) {
        return write(descriptor, bytes, count);
    }

    // A call interrupted by a signal before it moved anything is made again.
    static bool Interrupted() { return errno == EINTR; }

    static bool Seek(int descriptor, int64_t offset) {
        return lseek(descriptor, static_cast<off_t>(offset), SEEK_SET) >= 0;
    }

    static int64_t Size(int descriptor) {
        struct stat status;
        return fstat(descriptor, &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
    }

    // Linux releases the descriptor even when close reports an error.
    static bool Close(int descriptor) { return close(descriptor) == 0; }
};

} // namespace

std::unique_ptr<File> OpenFileForReading(const char* path) {
    return OpenSystemFile<PosixCalls>(open(path, O_RDONLY | O_CLOEXEC));
}

std::unique_ptr<File> OpenFileForWriting(const char* path) {
    return OpenSystemFile<PosixCalls>(open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}
