// The one file interface of the portable core: a file opened for reading or
// for writing, with explicit results. OpenFileForReading and
// OpenFileForWriting open real files (system_file*: POSIX or Win32 calls);
// MemoryFile (memory_file.h) stands in for them in tests, tools and the
// fuzzer.
//
// A call moves at most 4 GiB - 1 bytes, so counts are 32 bits; offsets and
// sizes are 64 bits with -1 for an error, so a file of any size is reported
// as it is and callers with 32-bit positions narrow them where they know the
// file is small.
#pragma once

#include <cstdint>
#include <memory>

// What one read or write moved. A call that fails moves fewer bytes than
// asked (when any were asked): `bytes` counts what it moved before the error.
struct FileTransfer {
    uint32_t bytes;
    bool failed;
};

class File {
  public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    // Closes the file if Close has not.
    virtual ~File() = default;

    // Reads up to `count` bytes at the position and moves past them. Fewer
    // without `failed` only at the end: at or past it, 0 bytes.
    virtual FileTransfer Read(void* buffer, uint32_t count) = 0;
    // Writes `count` bytes at the position and moves past them; a gap left by
    // a seek past the end reads as zeros. Fewer only with `failed` (a full
    // disk); on a file opened for reading, nothing and `failed`.
    virtual FileTransfer Write(const void* bytes, uint32_t count) = 0;
    // Reads up to `count` bytes at `offset`, with the results Seek(offset)
    // and Read would give; where the position stands afterwards is not said
    // (a positioned read of the system leaves it). For readers that keep
    // their own position, such as BufferedFile: one call instead of two.
    virtual FileTransfer ReadAt(int64_t offset, void* buffer, uint32_t count) {
        return Seek(offset) ? Read(buffer, count) : FileTransfer{0, true};
    }
    // Moves to `offset` bytes from the start; past the end is allowed. False,
    // the position unchanged, for a negative offset or on an error.
    virtual bool Seek(int64_t offset) = 0;
    // The file's size, or -1 on an error; the position stays where it is.
    virtual int64_t Size() = 0;
    // Closes the file; every later call fails. False on an error, when bytes
    // written may not have reached the file, or when it was closed already.
    virtual bool Close() = 0;
};

// Opens the file at `path` for reading; null when it cannot be opened.
std::unique_ptr<File> OpenFileForReading(const char* path);

// Opens the file at `path` for writing: creates it, or empties an existing
// one. Null when that fails.
std::unique_ptr<File> OpenFileForWriting(const char* path);

// Moves to the end of `file`: its size, or -1 on an error.
inline int64_t SeekToEnd(File& file) {
    const int64_t size = file.Size();
    return size >= 0 && file.Seek(size) ? size : -1;
}
