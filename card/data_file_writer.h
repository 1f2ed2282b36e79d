// Writes a measurement data file: per block its text header, its quantity
// fields, the row-count placeholder, the data words, and at the block's end
// the end offset and row count written back into their fields.
#pragma once

#include <cstdint>

#include "card/block_text.h"
#include "card/output_buffer.h"
#include "card/piece_reader.h"
#include "files/file.h"

struct DataFileWriterOptions {
    // The file stays below this size; an append that would reach it is
    // refused, so the 8-place fields can always say where a block ends.
    uint32_t sizeLimit = kLargestCountFieldValue + 1;
    // Bytes held back before a write. The image is read into the same
    // memory, which stays this (or a read and its gap, if more) whatever the
    // image's size: 384 KB hold a read of 256 KB, its gap and what its
    // blocks' texts add before one write.
    uint32_t bufferSize = 384 * 1024;
    // One write per text field and per data word, as nothing is held back
    // (for comparing against the buffered writes).
    bool writeEachAppend = false;
};

// Where writing stopped, as a conversion writing one append at a time would
// have seen it: which append of which block did not go into the file whole.
struct WriteStop {
    AppendKind kind;
    uint32_t dataWordsWritten; // data words of that block in the file
    uint32_t quantityCount;    // that block's K
    bool sizeLimit;            // refused for the size limit, not by the file
};

// The image is read into the writer's buffer (RoomForRead): data words are
// moved down in it rather than copied into a buffer of their own.
class DataFileWriter final : public ReadRoom {
  public:
    // False when the memory for the buffer cannot be had. The image's reads
    // take `readSize` bytes.
    bool Start(File& file, const DataFileWriterOptions& options, uint32_t readSize);
    uint8_t* RoomForRead() override { return out_.RoomForRead(Note(AppendKind::DataWords)); }
    // The image's bytes from `unread` on, in the room of the last read, are
    // not converted yet: the texts appended from here on stay below them.
    void ImageUnreadFrom(const uint8_t* unread) { out_.ImageUnreadFrom(unread); }

    // A block's text, its quantity fields for the K ids and its row-count
    // placeholder, put straight into the buffer: the appends
    // WriteBlockHeader, WriteQuantityField and WriteRowCountPlaceholder make,
    // for the cost of one. `startWords` are the block's four header words and
    // its K ids as they stand on the card, the image's first bytes not yet
    // converted. False, with nothing appended, when they are to be made one
    // by one: K above kBatchedQuantities, no room, the size limit near,
    // writing stopped.
    bool WriteBlockStart(uint32_t blockNumber, const BlockHeader& header,
                         const uint8_t* startWords);
    static constexpr uint32_t kBatchedQuantities = 64;

    bool WriteBlockHeader(uint32_t blockNumber, const BlockHeader& header);
    bool WriteQuantityField(uint32_t id);
    bool WriteRowCountPlaceholder();
    // `wordCount` data words, each as its 4 bytes stand on the card.
    bool AppendDataWords(const uint8_t* words, uint32_t wordCount);
    // Room for data words straight in the buffer, the words AppendDataWords
    // would take without a write: where they go and how many fit. 0 when
    // the buffer is full, near the size limit, writing stopped or each
    // append is written at once; AppendDataWords takes them then.
    uint32_t DataWordRoom(uint8_t*& tail) {
        if (hasStop_)
            return 0;
        tail = reinterpret_cast<uint8_t*>(out_.Tail());
        const uint32_t beforeLimit = (sizeLimit_ - 1 - out_.size()) / kWordBytes;
        const uint32_t free = out_.FreeDataRoom() / kWordBytes;
        return free < beforeLimit ? free : beforeLimit;
    }
    // `wordCount` words put at the tail DataWordRoom gave are appended.
    void TookDataWords(uint32_t wordCount) {
        if (wordCount == 0)
            return;
        out_.TookDataWords(wordCount * kWordBytes, Note(AppendKind::DataWords));
        dataWordsInBlock_ += wordCount;
    }
    // Fills in the open block's end offset and row count.
    bool CloseBlock(uint32_t dataWordCount, uint32_t quantityCount);
    bool IsBlockOpen() const { return endOffsetFieldPos_ != 0; }
    // Writes out what is held.
    bool Finish();

    // Set once an append failed or was refused. The writer then stands where
    // that append left it: the block it belongs to is the open one again, so
    // CloseBlock closes that block with what was written of it.
    const WriteStop* stop() const { return hasStop_ ? &stop_ : nullptr; }

  private:
    static constexpr uint32_t kWordBytes = 4;

    AppendNote Note(AppendKind kind) const {
        return {kind, endOffsetFieldPos_, rowCountFieldPos_, quantityCount_, dataWordsInBlock_};
    }
    bool AppendText(const char* text, uint32_t length, AppendKind kind);
    bool RefuseForSize(AppendKind kind);
    bool TakeBufferStop();
    void BlankPatchedFields(const AppendNote& block);
    bool CloseOnDisk(uint32_t rowCount);

    // The last block start put together by WriteBlockStart: a block with
    // the same header words and ids on the card gets the same texts but its
    // number.
    static constexpr uint32_t kHeaderWords = 4;
    struct BlockStartText {
        bool made = false;
        // The header words (K among them) and the ids.
        uint8_t startWords[(kHeaderWords + kBatchedQuantities) * kWordBytes];
        OutputBuffer::TextGroup groups[kBatchedQuantities / OutputBuffer::kPartsPerGroup + 1];
        uint32_t groupCount = 0;
        uint32_t length = 0;
        char text[kBlockTextSize + kBatchedQuantities * kQuantityFieldSize];
    };
    bool SameBlockStart(const uint8_t* startWords, uint32_t quantityCount) const;
    void MakeBlockStartText(uint32_t blockNumber, const BlockHeader& header,
                            const uint8_t* startWords, const AppendNote& note);

    OutputBuffer out_;
    BlockTextMemo texts_;
    BlockStartText lastStart_{};
    bool hasLastRows_ = false;
    uint32_t lastRowCount_ = 0; // the row count lastRows_ holds
    char lastRows_[kCountFieldWidth] = {};
    uint32_t sizeLimit_ = 0;
    uint32_t endOffsetFieldPos_ = 0; // 0: no block open
    uint32_t rowCountFieldPos_ = 0;
    uint32_t quantityCount_ = 0;
    uint32_t dataWordsInBlock_ = 0;
    bool hasStop_ = false;
    WriteStop stop_{};
};
