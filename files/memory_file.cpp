#include "files/memory_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

MemoryFile::MemoryFile(std::vector<uint8_t> bytes)
    : owned_(std::move(bytes)), data_(owned_.data()), size_(owned_.size()), mode_(Mode::Reading) {}

MemoryFile::MemoryFile(const void* bytes, size_t size)
    : data_(static_cast<const uint8_t*>(bytes)), size_(size), mode_(Mode::Reading) {}

FileTransfer MemoryFile::Read(void* buffer, uint32_t count) {
    if (mode_ != Mode::Reading)
        return {0, true};
    if (position_ >= size_)
        return {0, false};
    const uint32_t got = static_cast<uint32_t>(std::min<uint64_t>(count, size_ - position_));
    if (position_ + got > readFailOffset_)
        return {0, true};
    std::memcpy(buffer, data_ + position_, got);
    position_ += got;
    return {got, false};
}

FileTransfer MemoryFile::Write(const void* bytes, uint32_t count) {
    if (mode_ != Mode::Writing)
        return {0, true};
    uint64_t put = count;
    if (position_ + count > capacity_) {
        if (fullDisk_ == FullDisk::RefusesWholeWrite)
            return {0, true};
        put = position_ < capacity_ ? capacity_ - position_ : 0;
    }
    if (put > 0) {
        if (owned_.size() < position_ + put)
            owned_.resize(position_ + put); // a gap behind a seek past the end reads as zeros
        std::memcpy(owned_.data() + position_, bytes, put);
        position_ += put;
        data_ = owned_.data();
        size_ = owned_.size();
    }
    return {static_cast<uint32_t>(put), put < count};
}

bool MemoryFile::Seek(int64_t offset) {
    if (mode_ == Mode::Closed || offset < 0)
        return false;
    position_ = static_cast<uint64_t>(offset);
    return true;
}

int64_t MemoryFile::Size() {
    return mode_ == Mode::Closed ? -1 : static_cast<int64_t>(size_);
}

bool MemoryFile::Close() {
    if (mode_ == Mode::Closed)
        return false;
    mode_ = Mode::Closed;
    return !closeFails_;
}
