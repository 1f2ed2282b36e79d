#include "files/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <new>

BufferedFile::BufferedFile(File& file, uint32_t capacity) : file_(file) {
    capacity_ = std::min(capacity, kLargestBuffer);
    if (capacity_ > 0)
        buffer_ = new (std::nothrow) uint8_t[capacity_];
}

BufferedFile::~BufferedFile() {
    delete[] buffer_;
}

FileTransfer BufferedFile::Read(void* buffer, uint32_t count) {
    if (!buffer_)
        return file_.Read(buffer, count);
    if (closed_)
        return {0, true};
    uint8_t* const out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const uint32_t copied = CopyHeld(position_ + done, out + done, count - done);
        if (copied > 0) {
            done += copied;
            continue;
        }
        const FileTransfer filled = Fill(position_ + done);
        if (filled.failed) {
            const FileTransfer direct = ReadDirect(out, count);
            position_ += direct.bytes;
            return direct;
        }
        if (filled.bytes == 0)
            break; // the end of the file
    }
    position_ += done;
    return {done, false};
}

// The read as asked, from the file itself, carried on until all is moved
// (as a file below that moves less before the end may need).
FileTransfer BufferedFile::ReadDirect(uint8_t* out, uint32_t count) {
    uint32_t done = 0;
    while (done < count) {
        const FileTransfer got = file_.ReadAt(position_ + done, out + done, count - done);
        done += got.bytes;
        if (got.failed)
            return {done, true};
        if (got.bytes == 0)
            break;
    }
    return {done, false};
}

FileTransfer BufferedFile::Write(const void* bytes, uint32_t count) {
    return buffer_ ? FileTransfer{0, true} : file_.Write(bytes, count);
}

bool BufferedFile::Seek(int64_t offset) {
    if (!buffer_)
        return file_.Seek(offset);
    if (closed_ || offset < 0)
        return false;
    position_ = offset;
    return true;
}

int64_t BufferedFile::Size() {
    if (!buffer_)
        return file_.Size();
    if (closed_)
        return -1;
    if (size_ < 0)
        size_ = file_.Size();
    return size_;
}

bool BufferedFile::Close() {
    if (!buffer_)
        return file_.Close();
    if (closed_)
        return false;
    closed_ = true;
    windowLength_ = headLength_ = 0;
    return file_.Close();
}

uint32_t BufferedFile::CopyHeld(int64_t at, uint8_t* out, uint32_t count) const {
    const uint8_t* from = nullptr;
    int64_t held = 0;
    if (at >= windowStart_ && at < windowStart_ + windowLength_) {
        from = buffer_ + windowSlot_ + (at - windowStart_);
        held = windowStart_ + windowLength_ - at;
    } else if (at < headLength_) {
        from = buffer_ + at;
        held = headLength_ - at;
    } else {
        return 0;
    }
    const uint32_t n = static_cast<uint32_t>(std::min<int64_t>(count, held));
    std::memcpy(out, from, n);
    return n;
}

// Reads the buffer's worth from `at`: behind the head when the head is kept
// and `at` lies elsewhere, else into the whole buffer. Never past the size
// the file gave, so the end costs no read of nothing.
FileTransfer BufferedFile::Fill(int64_t at) {
    const uint32_t slot = headLength_ > 0 && at > headLength_ ? headLength_ : 0;
    uint32_t want = capacity_ - slot;
    if (Size() >= 0) {
        if (at >= size_)
            return {0, false};
        want = static_cast<uint32_t>(std::min<int64_t>(want, size_ - at));
    }
    windowLength_ = 0;
    if (slot == 0)
        headLength_ = 0;
    const FileTransfer got = file_.ReadAt(at, buffer_ + slot, want);
    if (got.failed)
        return got;
    windowStart_ = at;
    windowLength_ = got.bytes;
    windowSlot_ = slot;
    if (slot == 0 && at == 0)
        headLength_ = std::min(got.bytes, capacity_ / 8);
    return got;
}
