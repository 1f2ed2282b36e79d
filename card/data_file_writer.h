// Writes a measurement data file: per block its text header, its quantity
// fields, the row-count placeholder, the data words, and at the block's end
// the end offset and row count written back into their fields.
#pragma once

#include <cstdint>

#include "card/block_text.h"
#include "card/output_buffer.h"
#include "files/file.h"

struct DataFileWriterOptions {
    // The file stays below this size; an append that would reach it is
    // refused, so the 8-place fields can always say where a block ends.
    uint32_t sizeLimit = kLargestCountFieldValue + 1;
    // Bytes held back before a write; the memory stays this whatever the
    // image's size.
    uint32_t bufferSize = 256 * 1024;
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

class DataFileWriter {
  public:
    // False when the memory for the buffer cannot be had.
    bool Start(File& file, const DataFileWriterOptions& options);

    // A block's text, its quantity fields for the K ids (card words, most
    // significant byte first) and its row-count placeholder, put straight
    // into the buffer: the appends WriteBlockHeader, WriteQuantityField and
    // WriteRowCountPlaceholder make, for the cost of one. False, with nothing
    // appended, when they are to be made one by one: K above
    // kBatchedQuantities, no room, the size limit near, writing stopped.
    bool WriteBlockStart(uint32_t blockNumber, const BlockHeader& header, const uint8_t* idWords);
    static constexpr uint32_t kBatchedQuantities = 64;

    bool WriteBlockHeader(uint32_t blockNumber, const BlockHeader& header);
    bool WriteQuantityField(uint32_t id);
    bool WriteRowCountPlaceholder();
    // `wordCount` data words, each as its 4 bytes stand on the card.
    bool AppendDataWords(const uint8_t* words, uint32_t wordCount);
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
    AppendNote Note(AppendKind kind) const;
    bool AppendText(const char* text, uint32_t length, AppendKind kind);
    bool RefuseForSize(AppendKind kind);
    bool TakeBufferStop();
    void BlankPatchedFields(const AppendNote& block);
    bool CloseOnDisk(uint32_t rowCount);

    // The last block start put together by WriteBlockStart: a block with
    // the same header words (but its number) and ids gets the same texts.
    struct BlockStartText {
        bool made = false;
        BlockHeader header{};
        uint32_t ids[kBatchedQuantities];
        uint32_t lengths[kBatchedQuantities + 1]; // the block text's, then each field's
        uint32_t length = 0;
        char text[kBlockTextSize + kBatchedQuantities * kQuantityFieldSize];
    };
    bool SameBlockStart(const BlockHeader& header, const uint32_t* ids) const;

    OutputBuffer out_;
    BlockTextMemo texts_;
    BlockStartText lastStart_;
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
