// A file opened for reading, read through a buffer of at most 64 KiB: for
// readers that make many small reads and seeks (the catalogue reader makes
// thousands), so that the system sees a few large positioned reads instead.
// The results are those the file itself would give for every call; the
// memory stays the buffer's whatever the file's size.
//
// The buffer holds one window of the file. Besides it, the file's first
// eighth of a buffer (its head) stays while the reader works elsewhere, for
// file formats whose readers go back to the start after a first pass (the
// catalogue: its checks stream the whole file, then its fields are read from
// the start). A read that carries on from the head, or from nothing kept,
// gets the whole buffer.
#pragma once

#include <cstdint>

#include "files/file.h"

class BufferedFile : public File {
  public:
    static constexpr uint32_t kLargestBuffer = 64 * 1024;

    // Reads `file`, which must outlive this and must not change while it is
    // read, through a buffer of `capacity` bytes (at most kLargestBuffer).
    // Without memory for the buffer every call goes straight to `file`.
    explicit BufferedFile(File& file, uint32_t capacity = kLargestBuffer);
    ~BufferedFile() override;

    // Each read comes from the buffer where it can. Where a read of the
    // buffer's worth ahead fails, the file itself answers the read as asked,
    // so a bad spot fails the reads that reach it and no others.
    FileTransfer Read(void* buffer, uint32_t count) override;
    // Fails: the file is read only.
    FileTransfer Write(const void* bytes, uint32_t count) override;
    // Moves the position only; the file is read there when the buffer does
    // not hold it.
    bool Seek(int64_t offset) override;
    // The file's size, asked once.
    int64_t Size() override;
    // Closes the file below.
    bool Close() override;

    bool buffered() const { return buffer_ != nullptr; }

  private:
    uint32_t CopyHeld(int64_t at, uint8_t* out, uint32_t count) const;
    FileTransfer ReadDirect(uint8_t* out, uint32_t count);
    FileTransfer Fill(int64_t at);

    File& file_;
    uint8_t* buffer_ = nullptr;
    uint32_t capacity_ = 0;
    bool closed_ = false;
    int64_t position_ = 0;
    int64_t size_ = -1; // -1 until the file has said
    // File bytes [windowStart_, windowStart_ + windowLength_) stand at
    // buffer_ + windowSlot_; file bytes [0, headLength_) at buffer_.
    int64_t windowStart_ = 0;
    uint32_t windowLength_ = 0;
    uint32_t windowSlot_ = 0;
    uint32_t headLength_ = 0;
};
