#include "card/output_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Room for the longest text append (a block's header text).
constexpr uint32_t kSmallestBuffer = 128;
// Appends held per 64 bytes of buffer: many tiny blocks or quantity fields
// fill the records before the bytes and then cost one write per that many.
constexpr uint32_t kBytesPerRecord = 64;
constexpr uint32_t kWordSize = 4;
// The open block's appends stay over a write when they take at most this
// share of the buffer and of the records.
constexpr uint32_t kKeptShare = 16;
// A read lands this share of the buffer behind the held bytes: the texts of a
// read's blocks mostly take more room than their card words, and while they
// fit in the gap the data stays in place until the next read.
constexpr uint32_t kReadGapShare = 8;

} // namespace

OutputBuffer::~OutputBuffer() {
    delete[] memory_;
    delete[] records_;
}

bool OutputBuffer::Start(File& file, uint32_t bufferSize, uint32_t readSize, bool writeEachAppend) {
    file_ = &file;
    writeEachAppend_ = writeEachAppend;
    // A multiple of 4, so a data run fills it to the last byte after text
    // of any length.
    bufferSize_ = std::max(bufferSize, kSmallestBuffer) / kWordSize * kWordSize;
    maxRecords_ = bufferSize_ / kBytesPerRecord;
    readSize_ = readSize;
    memory_ = new (std::nothrow) uint8_t[MemorySize() + kLineSize];
    records_ = new (std::nothrow) Record[maxRecords_];
    if (memory_ == nullptr || records_ == nullptr)
        return false;
    const auto address = reinterpret_cast<uintptr_t>(memory_);
    lineStart_ = memory_ + (kLineSize - address % kLineSize) % kLineSize;
    bytes_ = lineStart_;
    return true;
}

// The held bytes start as far into a cache line as their file offset into
// one: the system's copy into the file then moves whole lines (a write from
// bytes shifted against the file by a few bytes costs a few percent more).
void OutputBuffer::HoldFrom(uint32_t fileOffset, uint32_t skipped) {
    uint8_t* const moved = lineStart_ + fileOffset % kLineSize;
    std::memmove(moved, bytes_ + skipped, used_ - skipped);
    bytes_ = moved;
    written_ = fileOffset;
    used_ -= skipped;
}

bool OutputBuffer::SeekFileEnd(uint32_t& size) {
    const int64_t end = SeekToEnd(*file_);
    if (end < 0 || end > UINT32_MAX)
        return false;
    size = static_cast<uint32_t>(end);
    return true;
}

// Data words come from the image at or above where they go; only texts are
// kept below it.
bool OutputBuffer::MakeRoom(uint32_t bytes, const AppendNote& note) {
    if (bufferSize_ - used_ >= bytes && recordCount_ < maxRecords_ &&
        (note.kind == AppendKind::DataWords || BelowUnread(bytes)))
        return true;
    return FlushRecords(recordCount_ - KeptRecords(note));
}

// Reserve's way when the room is not there: never when it cannot be made,
// else by writing what is held and looking again.
bool OutputBuffer::ReserveByWriting(uint32_t bytes, uint32_t records, const AppendNote& note) {
    if (stopped_ || writeEachAppend_ || bytes > bufferSize_ / 2 || records > maxRecords_ / 2)
        return false;
    return FlushRecords(recordCount_ - KeptRecords(note)) && bufferSize_ - used_ >= bytes &&
           maxRecords_ - recordCount_ >= records && BelowUnread(bytes);
}

uint32_t OutputBuffer::ReadGap() const {
    return bufferSize_ / kReadGapShare + kLineSize + kSmallestBuffer + kScanCopyOverrun;
}

uint32_t OutputBuffer::MemorySize() const {
    const uint32_t readEnd = 2 * kLineSize + bufferSize_ / kKeptShare + ReadGap() + readSize_;
    return std::max(kLineSize + bufferSize_, readEnd);
}

uint8_t* OutputBuffer::RoomForRead(const AppendNote& openBlock) {
    const auto readStart = [this] {
        return (HeldEnd() + ReadGap() + kLineSize - 1) / kLineSize * kLineSize;
    };
    if (readStart() + readSize_ > MemorySize())
        FlushRecords(recordCount_ - KeptRecords(openBlock));
    unreadFrom_ = readStart();
    return lineStart_ + unreadFrom_;
}

// The appends of the block `note` belongs to, when they are few: they stay
// for the next write, so that the block's two fields are filled in here
// rather than by going back in the file (a seek, a write and a seek per
// field, for every full buffer of small blocks).
uint32_t OutputBuffer::KeptRecords(const AppendNote& note) const {
    if (writeEachAppend_ || note.endOffsetFieldPos == 0)
        return 0;
    uint32_t first = recordCount_;
    while (first > 0 && records_[first - 1].note.endOffsetFieldPos == note.endOffsetFieldPos)
        --first;
    const uint32_t keptFrom = first > 0 ? records_[first - 1].end : 0;
    const uint32_t kept = recordCount_ - first;
    const bool few =
        used_ - keptFrom <= bufferSize_ / kKeptShare && kept <= maxRecords_ / kKeptShare;
    return keptFrom > 0 && few ? kept : 0;
}

bool OutputBuffer::Append(const uint8_t* bytes, uint32_t count, const AppendNote& note) {
    if (stopped_)
        return false;
    if (note.kind != AppendKind::DataWords) {
        if (!MakeRoom(count, note))
            return false;
        std::memcpy(bytes_ + used_, bytes, count);
        AddRecord(count, note);
        return !writeEachAppend_ || Flush();
    }
    AppendNote run = note;
    while (count > 0) {
        if (!MakeRoom(kWordSize, run))
            return false;
        const uint32_t room = (bufferSize_ - used_) / kWordSize * kWordSize;
        const uint32_t part = std::min(count, room);
        std::memmove(bytes_ + used_, bytes, part); // from the image read in here
        AddRecord(part, run);
        run.dataWordsBefore += part / kWordSize;
        bytes += part;
        count -= part;
        if (writeEachAppend_ && !Flush())
            return false;
    }
    return true;
}

uint32_t OutputBuffer::WriteAll(uint32_t from, uint32_t count) {
    return file_->Write(bytes_ + from, count).bytes;
}

// Writes the first `records` appends and moves the rest to the front.
bool OutputBuffer::FlushRecords(uint32_t records) {
    if (stopped_)
        return false;
    const uint32_t count = records > 0 ? records_[records - 1].end : 0;
    if (count == 0)
        return true;
    const uint32_t done = writeEachAppend_ ? 0 : WriteAll(0, count);
    if (done != count && !WriteEachAppendFrom(done, records))
        return false;
    HoldFrom(written_ + count, count);
    for (uint32_t i = records; i < recordCount_; ++i)
        records_[i - records] = {records_[i].end - count, records_[i].note,
                                 records_[i].partLengths};
    recordCount_ -= records;
    return true;
}

// The large write stopped at `done`. An append it wrote in part is the one a
// write of its own would have ended short; from the first append it did not
// touch, each append (each data word) gets its own write until one fails.
bool OutputBuffer::WriteEachAppendFrom(uint32_t done, uint32_t records) {
    uint32_t start = 0;
    for (uint32_t i = 0; i < records; ++i) {
        const Record& record = records_[i];
        const uint32_t end = record.end;
        if (end <= done) {
            start = end;
            continue;
        }
        if (record.note.kind != AppendKind::DataWords) {
            if (!WriteTextParts(record, start, done))
                return false;
        } else {
            uint32_t word = (done - start) / kWordSize;
            if ((done - start) % kWordSize != 0)
                return StopAt(record, word, done);
            for (; start + word * kWordSize < end; ++word) {
                const uint32_t put = WriteAll(start + word * kWordSize, kWordSize);
                done += put;
                if (put != kWordSize)
                    return StopAt(record, word, done);
            }
        }
        start = end;
    }
    return true;
}

uint32_t OutputBuffer::GroupTexts(const uint8_t* lengths, uint32_t count, TextGroup* groups) {
    uint32_t groupCount = 0;
    for (uint32_t first = 0; first < count; first += kPartsPerGroup, ++groupCount) {
        TextGroup& group = groups[groupCount];
        group = {0, 0};
        for (uint32_t i = 0; i < kPartsPerGroup && first + i < count; ++i) {
            group.length += lengths[first + i];
            group.partLengths |= static_cast<uint64_t>(lengths[first + i]) << (8 * i);
        }
    }
    return groupCount;
}

// Each text append of a record in a write of its own, from `start`; false
// once one did not go in whole.
bool OutputBuffer::WriteTextParts(const Record& record, uint32_t start, uint32_t& done) {
    for (uint64_t parts = record.partLengths;; parts >>= 8) {
        const uint32_t end = parts == 0 ? record.end : start + static_cast<uint32_t>(parts & 0xFF);
        if (end > done) {
            if (done > start)
                return StopAt(record, 0, done);
            done += WriteAll(start, end - start);
            if (done != end)
                return StopAt(record, 0, done);
        }
        start = end;
        if (parts <= 0xFF)
            return true;
    }
}

bool OutputBuffer::StopAt(const Record& record, uint32_t wordsWritten, uint32_t done) {
    stopped_ = true;
    stop_ = {record.note, record.note.dataWordsBefore + wordsWritten};
    uint32_t fileEnd = written_ + done;
    SeekFileEnd(fileEnd); // keeps the count above if the file cannot say
    HoldFrom(fileEnd, used_);
    recordCount_ = 0;
    return false;
}
