// A file in memory, for tests, tools and the fuzzer: over bytes of its own or
// over bytes the caller holds. It can stand for a disk that fills up, in the
// two ways systems report it (writing what still fits, or refusing a write
// that does not fit at all), and for a medium that fails to read from a place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/file.h"

class MemoryFile : public File {
  public:
    enum class FullDisk { WritesWhatFits, RefusesWholeWrite };

    // An empty file opened for writing, as OpenFileForWriting leaves one.
    MemoryFile() = default;
    // A file holding `bytes`, opened for reading.
    explicit MemoryFile(std::vector<uint8_t> bytes);
    // A file opened for reading over `size` bytes held by the caller, which
    // must outlive it; they are not copied.
    MemoryFile(const void* bytes, size_t size);

    // The file cannot grow beyond `capacity` bytes.
    void LimitSize(uint32_t capacity, FullDisk behaviour) {
        capacity_ = capacity;
        fullDisk_ = behaviour;
    }
    // Reads that reach `offset` fail whole, as a read over a bad spot does.
    void FailReadsFrom(uint32_t offset) { readFailOffset_ = offset; }
    // Close fails, as it may when the system could not write out what it
    // held back.
    void FailClose() { closeFails_ = true; }

    // The bytes of a file that holds its own; empty over the caller's.
    const std::vector<uint8_t>& bytes() const { return owned_; }

    FileTransfer Read(void* buffer, uint32_t count) override;
    FileTransfer Write(const void* bytes, uint32_t count) override;
    bool Seek(int64_t offset) override;
    int64_t Size() override;
    bool Close() override;

  private:
    enum class Mode { Reading, Writing, Closed };

    std::vector<uint8_t> owned_;
    // The file's bytes: owned_'s, or the caller's.
    const uint8_t* data_ = nullptr;
    uint64_t size_ = 0;
    Mode mode_ = Mode::Writing;
    uint64_t position_ = 0;
    uint64_t capacity_ = UINT32_MAX;
    FullDisk fullDisk_ = FullDisk::WritesWhatFits;
    uint64_t readFailOffset_ = UINT64_MAX;
    bool closeFails_ = false;
};
