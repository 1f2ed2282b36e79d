// Gathers the data file's appends in memory and writes them out in large
// writes. When a large write fails, the appends not yet in the file are
// written again one by one, each text field as one write and each data word
// as one, so the file ends exactly where writing them one at a time would
// have ended it, and the first append that did not go in whole is known.
//
// The card image is read into the same memory, behind the held bytes: data
// words then move down in place into lines the read has just brought in,
// rather than into a second buffer, and texts stay below the image's bytes
// still to be read.
#pragma once

#include <cstdint>
#include <cstring>

#include "card/reserved_word_scan.h"
#include "files/file.h"

enum class AppendKind : uint8_t { BlockText, RowCountPlaceholder, DataWords };

// What an append belongs to: its block's two fields and quantity count.
struct AppendNote {
    AppendKind kind;
    uint32_t endOffsetFieldPos;
    uint32_t rowCountFieldPos; // 0 before the block's placeholder
    uint32_t quantityCount;
    uint32_t dataWordsBefore; // data words of the block appended before this run
};

// The first append that did not reach the file in whole.
struct StoppedAppend {
    AppendNote note;
    uint32_t dataWordsWritten; // data words of the block written in full
};

class OutputBuffer {
  public:
    OutputBuffer() = default;
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer();

    // Allocates the buffer, with room for reads of `readSize` bytes; false
    // when the memory cannot be had. With `writeEachAppend`, every append is
    // written at once in its own writes.
    bool Start(File& file, uint32_t bufferSize, uint32_t readSize, bool writeEachAppend);

    // Room for the next read, a gap behind the held bytes. When the read
    // would not fit, what is held is written out first but the appends of
    // the block `openBlock` belongs to, if few (as before a full buffer's
    // write). A failed write shows at the next append, as it would have
    // there.
    uint8_t* RoomForRead(const AppendNote& openBlock);
    // The image's bytes from `unread` on, in the room of the last read, are
    // still to be converted: texts stay kScanCopyOverrun bytes below them, so
    // that the data words behind can be moved down by the searching copy.
    // Data words appended come from at or above where they go.
    void ImageUnreadFrom(const uint8_t* unread) {
        unreadFrom_ = static_cast<uint32_t>(unread - lineStart_);
    }

    File& file() { return *file_; }
    // Moves to the file's end and gives its size there; false, leaving
    // `size`, when the file cannot say or is too large for 32 bits.
    bool SeekFileEnd(uint32_t& size);
    // The file's size once everything held here is written.
    uint32_t size() const { return written_ + used_; }
    // True when `offset` lies in the part still held here.
    bool Holds(uint32_t offset) const { return offset >= written_ && offset < size(); }

    // Appends text (one write) or data words (one write each), as `note`
    // says. False once writing has stopped.
    bool Append(const uint8_t* bytes, uint32_t count, const AppendNote& note);
    // Room at the end for `bytes` more bytes and `records` more appends, made
    // as Append makes it, for appends put straight into the buffer with
    // Tail and Took. False, with nothing done, when they would take more
    // than half the buffer or each append is to be written at once; false
    // once writing has stopped.
    bool Reserve(uint32_t bytes, uint32_t records, const AppendNote& note) {
        // Most calls find the room there already.
        if (!stopped_ && !writeEachAppend_ && bytes <= bufferSize_ - used_ &&
            records <= maxRecords_ - recordCount_ && bytes <= bufferSize_ / 2 &&
            records <= maxRecords_ / 2 && BelowUnread(bytes))
            return true;
        return ReserveByWriting(bytes, records, note);
    }
    // Where the next append's bytes go, in the room reserved.
    char* Tail() { return reinterpret_cast<char*>(bytes_ + used_); }
    // Bytes free at Tail() for data words, without a write: 0 when the
    // bytes or the appends held are at their most, once writing has stopped
    // or when each append is written at once.
    uint32_t FreeDataRoom() const {
        if (stopped_ || writeEachAppend_ || recordCount_ == maxRecords_)
            return 0;
        return (bufferSize_ - used_) / kWordBytes * kWordBytes;
    }
    // The `count` bytes put at Tail() are data words, as Append would have
    // taken them.
    void TookDataWords(uint32_t count, const AppendNote& note) { AddRecord(count, note); }
    // The `count` bytes put at Tail() are one text append.
    void Took(uint32_t count, const AppendNote& note) {
        used_ += count;
        records_[recordCount_++] = {used_, note, 0};
    }
    // Up to kPartsPerGroup text appends of one block that share a record:
    // their total length and each one's length in a byte (at most 255), the
    // first in the lowest.
    static constexpr uint32_t kPartsPerGroup = 8;
    struct TextGroup {
        uint32_t length;
        uint64_t partLengths;
    };
    // Groups `count` text appends of these lengths; returns the groups made.
    static uint32_t GroupTexts(const uint8_t* lengths, uint32_t count, TextGroup* groups);
    // The bytes put at Tail() are a block start: its text appends in these
    // groups, then its row-count placeholder of `placeholderLength` bytes.
    // The notes are made here from plain values and the counts read and
    // written once: read back at once after stores of their parts, they
    // would stall the processor.
    void TookBlockStart(const TextGroup* groups, uint32_t groupCount, uint32_t endOffsetFieldPos,
                        uint32_t quantityCount, uint32_t placeholderLength) {
        uint32_t used = used_;
        Record* record = records_ + recordCount_;
        for (uint32_t i = 0; i < groupCount; ++i) {
            used += groups[i].length;
            *record++ = {used,
                         {AppendKind::BlockText, endOffsetFieldPos, 0, quantityCount, 0},
                         groups[i].partLengths};
        }
        const uint32_t rowCountFieldPos = written_ + used;
        used += placeholderLength;
        *record++ = {used,
                     {AppendKind::RowCountPlaceholder, endOffsetFieldPos, rowCountFieldPos,
                      quantityCount, 0},
                     0};
        used_ = used;
        recordCount_ = static_cast<uint32_t>(record - records_);
    }
    // Bytes still held here, to be overwritten in place.
    char* HeldAt(uint32_t offset) { return reinterpret_cast<char*>(bytes_ + (offset - written_)); }
    // Writes out what is held. False once writing has stopped.
    bool Flush() { return FlushRecords(recordCount_); }

    const StoppedAppend* stopped() const { return stopped_ ? &stop_ : nullptr; }
    // After writes made around the buffer, the file's end is `size`.
    void FileEndsAt(uint32_t size) { HoldFrom(size, 0); }

  private:
    static constexpr uint32_t kWordBytes = 4;
    static constexpr uint32_t kLineSize = 64;
    static constexpr uint32_t kNoImageHeld = UINT32_MAX;

    // Past the kept appends (a line's offset and a sixteenth of the buffer)
    // a read's gap leaves room for the longest text and the searching copy's
    // overrun; a flush in the middle of a read finds that room again.
    uint32_t ReadGap() const;
    // From lineStart_: the held bytes at their most, or a read behind the
    // kept appends and the gap.
    uint32_t MemorySize() const;
    // Where the held bytes end, from lineStart_.
    uint32_t HeldEnd() const { return static_cast<uint32_t>(bytes_ - lineStart_) + used_; }
    // `bytes` more text leave room for the searching copy below the image.
    bool BelowUnread(uint32_t bytes) const {
        return unreadFrom_ == kNoImageHeld || HeldEnd() + bytes + kScanCopyOverrun <= unreadFrom_;
    }

    // One append, or a group of text appends of one block: most blocks then
    // need three records rather than one per quantity.
    struct Record {
        uint32_t end; // offset in the buffer just behind the append
        AppendNote note;
        // 0 for one append; else each text append's length in a byte, the
        // first in the lowest.
        uint64_t partLengths;
    };

    bool MakeRoom(uint32_t bytes, const AppendNote& note);
    bool ReserveByWriting(uint32_t bytes, uint32_t records, const AppendNote& note);
    uint32_t KeptRecords(const AppendNote& note) const;
    bool FlushRecords(uint32_t records);
    // A data run that follows one of the same block joins its record.
    void AddRecord(uint32_t count, const AppendNote& note) {
        used_ += count;
        if (recordCount_ > 0 && note.kind == AppendKind::DataWords) {
            Record& last = records_[recordCount_ - 1];
            if (last.note.kind == AppendKind::DataWords &&
                last.note.endOffsetFieldPos == note.endOffsetFieldPos) {
                last.end = used_;
                return;
            }
        }
        records_[recordCount_++] = {used_, note, 0};
    }
    uint32_t WriteAll(uint32_t from, uint32_t count);
    bool WriteEachAppendFrom(uint32_t done, uint32_t records);
    bool WriteTextParts(const Record& record, uint32_t start, uint32_t& done);
    bool StopAt(const Record& record, uint32_t wordsWritten, uint32_t done);
    void HoldFrom(uint32_t fileOffset, uint32_t skipped);

    File* file_ = nullptr;
    bool writeEachAppend_ = false;
    uint32_t bufferSize_ = 0;
    uint32_t maxRecords_ = 0;
    uint32_t readSize_ = 0;
    uint32_t unreadFrom_ = kNoImageHeld; // from lineStart_
    uint8_t* memory_ = nullptr;          // MemorySize() and a line
    uint8_t* lineStart_ = nullptr;       // the first line boundary in it
    uint8_t* bytes_ = nullptr;           // the held bytes, at the file's offset into a line
    Record* records_ = nullptr;
    uint32_t used_ = 0;
    uint32_t recordCount_ = 0;
    uint32_t written_ = 0; // file offset of bytes_[0]
    bool stopped_ = false;
    StoppedAppend stop_{};
};
