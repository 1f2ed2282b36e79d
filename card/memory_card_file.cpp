#include "card/memory_card_file.h"

#include <algorithm>
#include <cstring>

uint32_t MemoryCardFile::Read(uint8_t* buffer, uint32_t count) {
    if (position_ >= readFailOffset_ || position_ >= bytes_.size())
        return 0;
    const uint32_t available = static_cast<uint32_t>(bytes_.size()) - position_;
    uint32_t got = std::min(count, available);
    if (readFailOffset_ - position_ < got)
        return 0; // the whole read fails, as a read over a bad spot does
    std::memcpy(buffer, bytes_.data() + position_, got);
    position_ += got;
    return got;
}

uint32_t MemoryCardFile::Write(const uint8_t* bytes, uint32_t count) {
    ++writeCalls_;
    const uint64_t end = static_cast<uint64_t>(position_) + count;
    uint32_t put = count;
    if (end > capacity_) {
        if (fullDisk_ == FullDisk::RefusesWholeWrite)
            return 0;
        put = position_ < capacity_ ? capacity_ - position_ : 0;
    }
    if (put == 0)
        return 0;
    if (bytes_.size() < position_ + put)
        bytes_.resize(position_ + put); // a gap behind a seek past the end reads as zeros
    std::memcpy(bytes_.data() + position_, bytes, put);
    position_ += put;
    return put;
}

bool MemoryCardFile::Seek(uint32_t offset) {
    position_ = offset;
    return true;
}

bool MemoryCardFile::SeekToEnd(uint32_t& size) {
    position_ = static_cast<uint32_t>(bytes_.size());
    size = position_;
    return true;
}
