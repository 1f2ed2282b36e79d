#include "config/catalogue_file.h"

#include <cstring>

int32_t MemoryCatalogueFile::Read(void* buffer, int32_t count) {
    if (count < 0)
        return -1;
    const size_t left = position_ < size_ ? size_ - position_ : 0;
    const size_t n = static_cast<size_t>(count) < left ? static_cast<size_t>(count) : left;
    if (n > 0)
        std::memcpy(buffer, bytes_ + position_, n);
    position_ += n;
    return static_cast<int32_t>(n);
}

bool MemoryCatalogueFile::Seek(int64_t offset) {
    if (offset < 0)
        return false;
    position_ = static_cast<size_t>(offset);
    return true;
}

int64_t MemoryCatalogueFile::SeekEnd() {
    position_ = size_;
    return static_cast<int64_t>(size_);
}
