// A card file in memory, for tests, the fuzzer and tools. It can stand for a
// disk that fills up, in the two ways systems report it: writing what still
// fits, or refusing a write that does not fit at all.
#pragma once

#include <cstdint>
#include <vector>

#include "card/card_file.h"

class MemoryCardFile : public CardFile {
  public:
    enum class FullDisk { WritesWhatFits, RefusesWholeWrite };

    MemoryCardFile() = default;
    explicit MemoryCardFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // The file cannot grow beyond `capacity` bytes.
    void LimitSize(uint32_t capacity, FullDisk behaviour) {
        capacity_ = capacity;
        fullDisk_ = behaviour;
    }
    // Reads from `offset` on fail, as a damaged medium would.
    void FailReadsFrom(uint32_t offset) { readFailOffset_ = offset; }

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    uint32_t writeCalls() const { return writeCalls_; }

    uint32_t Read(uint8_t* buffer, uint32_t count) override;
    uint32_t Write(const uint8_t* bytes, uint32_t count) override;
    bool Seek(uint32_t offset) override;
    bool SeekToEnd(uint32_t& size) override;

  private:
    std::vector<uint8_t> bytes_;
    uint32_t position_ = 0;
    uint32_t capacity_ = UINT32_MAX;
    FullDisk fullDisk_ = FullDisk::WritesWhatFits;
    uint32_t readFailOffset_ = UINT32_MAX;
    uint32_t writeCalls_ = 0;
};
