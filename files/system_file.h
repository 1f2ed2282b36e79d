// The File over an operating system's calls, written once for every
// platform: each platform file (system_file_posix.cpp, system_file_win32.cpp)
// gives its calls as a `Calls` type and opens its files with OpenSystemFile.
// A header, so that the calls inline into the loops here.
//
// Calls has a `Handle` type and static functions: None() (no handle: what a
// failed open gives); Read, ReadAt (at an offset) and Write (one call of at
// most `count` bytes: what it moved, or -1 on an error; a read moves nothing
// only at the end);
// Interrupted() (whether the call that just failed should be made again);
// Seek (to an offset that is not negative; false on an error); Size (-1 on
// an error) and Close (false on an error).
#pragma once

#include <memory>
#include <new>

#include "files/file.h"

template <typename Calls> class SystemFile : public File {
  public:
    using Handle = typename Calls::Handle;

    explicit SystemFile(Handle handle) : handle_(handle) {}
    ~SystemFile() override { Release(); }

    FileTransfer Read(void* buffer, uint32_t count) override {
        uint8_t* const bytes = static_cast<uint8_t*>(buffer);
        return Repeat(count, false, [&](Handle handle, uint32_t done) {
            return Calls::Read(handle, bytes + done, count - done);
        });
    }

    FileTransfer ReadAt(int64_t offset, void* buffer, uint32_t count) override {
        if (offset < 0)
            return {0, true};
        uint8_t* const bytes = static_cast<uint8_t*>(buffer);
        return Repeat(count, false, [&](Handle handle, uint32_t done) {
            return Calls::ReadAt(handle, offset + done, bytes + done, count - done);
        });
    }

    FileTransfer Write(const void* bytes, uint32_t count) override {
        const uint8_t* const from = static_cast<const uint8_t*>(bytes);
        return Repeat(count, true, [&](Handle handle, uint32_t done) {
            return Calls::Write(handle, from + done, count - done);
        });
    }

    bool Seek(int64_t offset) override {
        return handle_ != Calls::None() && offset >= 0 && Calls::Seek(handle_, offset);
    }

    int64_t Size() override { return handle_ != Calls::None() ? Calls::Size(handle_) : -1; }

    bool Close() override { return Release(); }

  private:
    // A read or write goes on until all is moved: a call may move less than
    // asked before the end (signals, pipes), so only a call that moves
    // nothing ends it early, which for a read is the end of the file and for
    // a write a file that takes no more (a full disk, a size limit).
    // `call(handle, done)` makes one call for what is left after `done` bytes.
    template <typename Call> FileTransfer Repeat(uint32_t count, bool nothingIsAnError, Call call) {
        const Handle handle = handle_;
        if (handle == Calls::None())
            return {0, true};
        uint32_t total = 0;
        while (total < count) {
            const int64_t moved = call(handle, total);
            if (moved < 0 && Calls::Interrupted())
                continue;
            if (moved < 0)
                return {total, true};
            if (moved == 0)
                return {total, nothingIsAnError};
            total += static_cast<uint32_t>(moved);
        }
        return {total, false};
    }

    // The handle is given up even when closing reports an error: the system
    // has released it by then, and closing it again could hit a reused one.
    bool Release() {
        if (handle_ == Calls::None())
            return false;
        const bool closed = Calls::Close(handle_);
        handle_ = Calls::None();
        return closed;
    }

    Handle handle_;
};

// The File over `handle`; null for no handle, or when the memory for the
// File cannot be had (the handle is then closed).
template <typename Calls> std::unique_ptr<File> OpenSystemFile(typename Calls::Handle handle) {
    if (handle == Calls::None())
        return nullptr;
    std::unique_ptr<File> file(new (std::nothrow) SystemFile<Calls>(handle));
    if (!file)
        Calls::Close(handle);
    return file;
}
