// Gathers the data file's appends in memory and writes them out in large
// writes. When a large write fails, the appends not yet in the file are
// written again one by one, each text field as one write and each data word
// as one, so the file ends exactly where writing them one at a time would
// have ended it, and the first append that did not go in whole is known.
#pragma once

#include <cstdint>
#include <cstring>

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

    // Allocates the buffer; false when the memory cannot be had. With
    // `writeEachAppend`, every append is written at once in its own writes.
    bool Start(File& file, uint32_t bufferSize, bool writeEachAppend);

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
    bool Reserve(uint32_t bytes, uint32_t records, const AppendNote& note);
    // Where the next append's bytes go, in the room reserved.
    char* Tail() { return reinterpret_cast<char*>(bytes_ + used_); }
    // The `count` bytes put at Tail() are one text append.
    void Took(uint32_t count, const AppendNote& note) {
        used_ += count;
        records_[recordCount_++] = {used_, note};
    }
    // Overwrites bytes still held here.
    void Patch(uint32_t offset, const char* bytes, uint32_t count) {
        std::memcpy(bytes_ + (offset - written_), bytes, count);
    }
    // Writes out what is held. False once writing has stopped.
    bool Flush() { return FlushRecords(recordCount_); }

    const StoppedAppend* stopped() const { return stopped_ ? &stop_ : nullptr; }
    // After writes made around the buffer, the file's end is `size`.
    void FileEndsAt(uint32_t size) { written_ = size; }

  private:
    struct Record {
        uint32_t end; // offset in the buffer just behind the append
        AppendNote note;
    };

    bool MakeRoom(uint32_t bytes, const AppendNote& note);
    uint32_t KeptRecords(const AppendNote& note) const;
    bool FlushRecords(uint32_t records);
    void AddRecord(uint32_t count, const AppendNote& note);
    uint32_t WriteAll(uint32_t from, uint32_t count);
    bool WriteEachAppendFrom(uint32_t done, uint32_t records);
    bool StopAt(const Record& record, uint32_t wordsWritten, uint32_t done);

    File* file_ = nullptr;
    bool writeEachAppend_ = false;
    uint32_t bufferSize_ = 0;
    uint32_t maxRecords_ = 0;
    uint8_t* bytes_ = nullptr;
    Record* records_ = nullptr;
    uint32_t used_ = 0;
    uint32_t recordCount_ = 0;
    uint32_t written_ = 0; // file offset of bytes_[0]
    bool stopped_ = false;
    StoppedAppend stop_{};
};
