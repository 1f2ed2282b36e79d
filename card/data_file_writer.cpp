#include "card/data_file_writer.h"

#include <algorithm>
#include <cstring>

#include "card/card_word.h"
#include "card/decimal_text.h"

namespace {

constexpr uint32_t kWordSize = 4;
const char kBlankField[kCountFieldWidth + 1] = "        ";

// Eight bytes a step: a library call costs more than the compare of a few
// dozen bytes.
bool SameWords(const uint8_t* a, const uint8_t* b, uint32_t wordCount) {
    uint32_t i = 0;
    for (; i + 2 <= wordCount; i += 2) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a + i * kWordSize, sizeof x);
        std::memcpy(&y, b + i * kWordSize, sizeof y);
        if (x != y)
            return false;
    }
    return i == wordCount || std::memcmp(a + i * kWordSize, b + i * kWordSize, kWordSize) == 0;
}

} // namespace

bool DataFileWriter::Start(File& file, const DataFileWriterOptions& options, uint32_t readSize) {
    sizeLimit_ = std::clamp<uint32_t>(options.sizeLimit, 1, kLargestCountFieldValue + 1);
    return out_.Start(file, options.bufferSize, readSize, options.writeEachAppend);
}

bool DataFileWriter::WriteBlockHeader(uint32_t blockNumber, const BlockHeader& header) {
    if (hasStop_)
        return false;
    char text[kBlockTextSize];
    const int length = texts_.BlockText(text, blockNumber, header);
    endOffsetFieldPos_ = out_.size() + kEndOffsetFieldOffset;
    rowCountFieldPos_ = 0;
    quantityCount_ = header.quantityCount;
    dataWordsInBlock_ = 0;
    return AppendText(text, static_cast<uint32_t>(length), AppendKind::BlockText);
}

bool DataFileWriter::WriteBlockStart(uint32_t blockNumber, const BlockHeader& header,
                                     const uint8_t* startWords) {
    const uint32_t k = header.quantityCount;
    const uint32_t most = kBlockTextSize + k * kQuantityFieldSize + kRowCountPlaceholderSize;
    if (hasStop_ || k > kBatchedQuantities || most > sizeLimit_ - 1 - out_.size())
        return false;
    const uint32_t endOffsetFieldPos = out_.size() + kEndOffsetFieldOffset;
    const AppendNote note{AppendKind::BlockText, endOffsetFieldPos, 0, k, 0};
    out_.ImageUnreadFrom(startWords);
    if (!out_.Reserve(most, k + 2, note))
        return false;
    endOffsetFieldPos_ = endOffsetFieldPos;
    quantityCount_ = k;
    dataWordsInBlock_ = 0;
    if (!SameBlockStart(startWords, k)) {
        MakeBlockStartText(blockNumber, header, startWords, note);
        rowCountFieldPos_ = out_.size();
        std::memcpy(out_.Tail(), kRowCountPlaceholder, kRowCountPlaceholderSize);
        out_.Took(kRowCountPlaceholderSize, Note(AppendKind::RowCountPlaceholder));
        return true;
    }
    const BlockStartText& last = lastStart_;
    char* const start = out_.Tail();
    std::memcpy(start, last.text, last.length);
    PutBlockNumber(start, blockNumber & 0xFFu); // the one text that differs
    std::memcpy(start + last.length, kRowCountPlaceholder, kRowCountPlaceholderSize);
    rowCountFieldPos_ = out_.size() + last.length;
    out_.TookBlockStart(last.groups, last.groupCount, endOffsetFieldPos, k,
                        kRowCountPlaceholderSize);
    return true;
}

bool DataFileWriter::SameBlockStart(const uint8_t* startWords, uint32_t quantityCount) const {
    const BlockStartText& last = lastStart_;
    // Another K differs in the header words; the words compared behind the
    // last block's ids are within its record's room.
    return last.made && SameWords(startWords, last.startWords, kHeaderWords + quantityCount);
}

// Formats the texts into the buffer and keeps them for the blocks after.
void DataFileWriter::MakeBlockStartText(uint32_t blockNumber, const BlockHeader& header,
                                        const uint8_t* startWords, const AppendNote& note) {
    BlockStartText& last = lastStart_;
    const uint32_t k = header.quantityCount;
    char* const start = out_.Tail();
    static_assert(kBlockTextSize <= 255 && kQuantityFieldSize <= 255, "lengths kept in a byte");
    uint8_t lengths[kBatchedQuantities + 1]; // the block text's, then each field's
    lengths[0] = static_cast<uint8_t>(texts_.BlockText(start, blockNumber, header));
    out_.Took(lengths[0], note);
    for (uint32_t i = 0; i < k; ++i) {
        const uint32_t id = CardWord(startWords + (kHeaderWords + i) * kWordSize);
        lengths[i + 1] = static_cast<uint8_t>(texts_.QuantityField(out_.Tail(), id));
        out_.Took(lengths[i + 1], note);
    }
    last.length = static_cast<uint32_t>(out_.Tail() - start);
    last.groupCount = OutputBuffer::GroupTexts(lengths, k + 1, last.groups);
    std::memcpy(last.text, start, last.length);
    std::memcpy(last.startWords, startWords, (kHeaderWords + k) * kWordSize);
    last.made = true;
}

bool DataFileWriter::WriteQuantityField(uint32_t id) {
    char text[kQuantityFieldSize];
    const int length = texts_.QuantityField(text, id);
    return AppendText(text, static_cast<uint32_t>(length), AppendKind::BlockText);
}

bool DataFileWriter::WriteRowCountPlaceholder() {
    if (hasStop_)
        return false;
    rowCountFieldPos_ = out_.size();
    return AppendText(kRowCountPlaceholder, kRowCountPlaceholderSize,
                      AppendKind::RowCountPlaceholder);
}

bool DataFileWriter::AppendText(const char* text, uint32_t length, AppendKind kind) {
    if (hasStop_)
        return false;
    if (length > sizeLimit_ - 1 - out_.size())
        return RefuseForSize(kind);
    if (!out_.Append(reinterpret_cast<const uint8_t*>(text), length, Note(kind)))
        return TakeBufferStop();
    return true;
}

bool DataFileWriter::AppendDataWords(const uint8_t* words, uint32_t wordCount) {
    if (hasStop_)
        return false;
    const uint32_t room = (sizeLimit_ - 1 - out_.size()) / kWordSize;
    const uint32_t fitting = std::min(wordCount, room);
    if (fitting > 0 && !out_.Append(words, fitting * kWordSize, Note(AppendKind::DataWords)))
        return TakeBufferStop();
    dataWordsInBlock_ += fitting;
    return fitting == wordCount || RefuseForSize(AppendKind::DataWords);
}

// The file would reach the size limit: what is held goes out, and the
// conversion stops as if this append had failed without writing anything. A
// block cut before its data part stays without a data part, so its fields
// are never written past the file's end.
bool DataFileWriter::RefuseForSize(AppendKind kind) {
    if (!out_.Flush())
        return TakeBufferStop();
    const AppendKind stoppedAt =
        kind == AppendKind::DataWords ? AppendKind::DataWords : AppendKind::BlockText;
    stop_ = {stoppedAt, dataWordsInBlock_, quantityCount_, true};
    hasStop_ = true;
    return false;
}

// A write of the buffer failed. The block of the append that did not go in
// whole becomes the open one again; if it had been closed in memory, its
// fields in the file show values its data never reached, so they get their
// spaces back before anything else is decided.
bool DataFileWriter::TakeBufferStop() {
    const StoppedAppend& stopped = *out_.stopped();
    const AppendNote& block = stopped.note;
    if (block.endOffsetFieldPos != endOffsetFieldPos_)
        BlankPatchedFields(block);
    endOffsetFieldPos_ = block.endOffsetFieldPos;
    rowCountFieldPos_ = block.rowCountFieldPos;
    quantityCount_ = block.quantityCount;
    dataWordsInBlock_ = stopped.dataWordsWritten;
    stop_ = {block.kind, stopped.dataWordsWritten, block.quantityCount, false};
    hasStop_ = true;
    return false;
}

void DataFileWriter::BlankPatchedFields(const AppendNote& block) {
    File& file = out_.file();
    const uint32_t fileEnd = out_.size();
    for (const uint32_t field : {block.endOffsetFieldPos, block.rowCountFieldPos}) {
        if (field == 0 || field >= fileEnd)
            continue;
        const uint32_t count = std::min<uint32_t>(kCountFieldWidth, fileEnd - field);
        if (file.Seek(field))
            file.Write(kBlankField, count);
    }
    SeekToEnd(file);
}

bool DataFileWriter::CloseBlock(uint32_t dataWordCount, uint32_t quantityCount) {
    const uint32_t rowCount = quantityCount == 0 ? 0 : dataWordCount / quantityCount;
    const bool fieldsHeld = !hasStop_ && out_.Holds(endOffsetFieldPos_) && rowCountFieldPos_ != 0 &&
                            rowCountFieldPos_ + kCountFieldWidth <= out_.size();
    if (fieldsHeld) {
        // Blocks of a recording mostly have as many rows as the one before.
        if (!hasLastRows_ || rowCount != lastRowCount_) {
            if (!FormatCountField(lastRows_, rowCount))
                return false;
            lastRowCount_ = rowCount;
            hasLastRows_ = true;
        }
        // Formatted in place: a copy read back at once from the digits just
        // stored costs more than the formatting.
        if (!FormatCountField(out_.HeldAt(endOffsetFieldPos_), out_.size()))
            return false;
        std::memcpy(out_.HeldAt(rowCountFieldPos_), lastRows_, kCountFieldWidth);
        endOffsetFieldPos_ = 0;
        return true;
    }
    if (!hasStop_ && !out_.Flush())
        return TakeBufferStop();
    return CloseOnDisk(rowCount);
}

// Seeks back to each field and writes it, then to the end again; the end
// offset is the file's size as the file itself gives it.
bool DataFileWriter::CloseOnDisk(uint32_t rowCount) {
    File& file = out_.file();
    uint32_t size = 0;
    char endOffset[kCountFieldWidth];
    char rows[kCountFieldWidth];
    if (!out_.SeekFileEnd(size) || !FormatCountField(endOffset, size) ||
        !FormatCountField(rows, rowCount))
        return false;
    const auto writeField = [&](uint32_t position, const char* text) {
        return file.Seek(position) && file.Write(text, kCountFieldWidth).bytes == kCountFieldWidth;
    };
    const bool written =
        writeField(endOffsetFieldPos_, endOffset) && writeField(rowCountFieldPos_, rows);
    out_.SeekFileEnd(size);
    out_.FileEndsAt(size);
    if (written)
        endOffsetFieldPos_ = 0;
    return written;
}

bool DataFileWriter::Finish() {
    if (hasStop_)
        return false;
    return out_.Flush() || TakeBufferStop();
}
