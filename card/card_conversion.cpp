#include "card/card_conversion.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "card/card_word.h"
#include "card/piece_reader.h"
#include "card/reserved_word_scan.h"

namespace {

constexpr uint32_t kWordSize = 4;
constexpr uint64_t kProgressStep = 1 << 20;

uint32_t WordValue(const uint8_t* piece, uint32_t index) {
    return CardWord(piece + index * kWordSize);
}

// The two reserved patterns, recognised on the first three bytes as stored.
constexpr uint32_t kBlockMarkerTop = 0x7FFF00;
constexpr uint32_t kEndMarkTop = 0xFFFFFF;

void SetHeaderWord(BlockHeader& header, uint32_t index, uint32_t value) {
    uint32_t* const words[] = {&header.dayNumber, &header.secondsOfDay, &header.parameter,
                               &header.quantityCount};
    *words[index] = value;
}

// A block start that lies whole in the piece, with a K the writer takes at
// once: its texts go out as one. False, with nothing done, otherwise.
bool WholeBlockStart(const uint8_t* piece, uint32_t wordCount, uint32_t& i,
                     CardConversionState& s) {
    if (wordCount - i < 4)
        return false;
    const BlockHeader header{WordValue(piece, i), WordValue(piece, i + 1), WordValue(piece, i + 2),
                             WordValue(piece, i + 3)};
    const uint32_t k = header.quantityCount;
    if (k == 0 || k > wordCount - i - 4 ||
        !s.writer.WriteBlockStart(s.blockNumber, header, piece + i * kWordSize))
        return false;
    s.header = header;
    s.state = CardReadState::CopyingData;
    s.counter = k;
    s.dataWordCount = 0;
    i += 4 + k;
    return true;
}

// Header words, then the id list; true when the block reached its data part
// or the piece ran out, false on K = 0 or a failed write.
bool ReadBlockStart(const uint8_t* piece, uint32_t wordCount, uint32_t& i, CardConversionState& s) {
    if (s.state == CardReadState::ReadingHeader && s.counter == 0 &&
        WholeBlockStart(piece, wordCount, i, s))
        return true;
    s.writer.ImageUnreadFrom(piece + i * kWordSize);
    if (s.state == CardReadState::ReadingHeader) {
        for (; s.counter < 4; ++s.counter, ++i) {
            if (i == wordCount)
                return true;
            SetHeaderWord(s.header, s.counter, WordValue(piece, i));
        }
        s.state = CardReadState::ReadingQuantityIds;
        s.counter = 0;
        if (s.header.quantityCount == 0) {
            s.zeroQuantityCount = true;
            return false;
        }
        if (!s.writer.WriteBlockHeader(s.blockNumber, s.header))
            return false;
        s.dataWordCount = 0;
    }
    if (s.state == CardReadState::ReadingQuantityIds) {
        for (; s.counter < s.header.quantityCount; ++s.counter, ++i) {
            if (i == wordCount)
                return true;
            if (!s.writer.WriteQuantityField(WordValue(piece, i)))
                return false;
        }
        s.state = CardReadState::CopyingData;
        return s.writer.WriteRowCountPlaceholder();
    }
    return true;
}

enum class Scan { RunEnded, EndMark, Marker };

// From word `i` to a block marker, an end mark or `end`, copying the data
// words passed to `copyTo` when it is given.
Scan FindReserved(const uint8_t* piece, uint32_t& i, uint32_t end, uint8_t* copyTo) {
    const uint8_t* const words = piece + i * kWordSize;
    const uint32_t count = end - i;
    uint32_t j = 0;
    Scan found = Scan::RunEnded;
    for (; (j = NextReservedCandidate(words, j, count, copyTo)) < count; ++j) {
        const uint32_t top = WordValue(words, j) >> 8;
        if (top == kBlockMarkerTop) {
            found = Scan::Marker;
            break;
        }
        if (top == kEndMarkTop) {
            found = Scan::EndMark;
            break;
        }
        if (copyTo != nullptr)
            std::memcpy(copyTo + j * kWordSize, words + j * kWordSize, kWordSize);
    }
    i += j;
    return found;
}

bool AppendRun(const uint8_t* piece, uint32_t first, uint32_t end, CardConversionState& s) {
    if (s.state != CardReadState::CopyingData || end == first)
        return true;
    if (!s.writer.AppendDataWords(piece + first * kWordSize, end - first))
        return false;
    s.dataWordCount += end - first;
    return true;
}

// Data words (or, before the first block, words passed over) up to a block
// marker, an end mark or the end of the pieces. They go into the writer's
// buffer as they are searched while it has room; the rest of a run goes out
// in one append.
Scan ScanData(const uint8_t* piece, uint32_t wordCount, uint32_t& i, CardConversionState& s,
              bool& written) {
    for (;;) {
        uint8_t* tail = nullptr;
        const uint32_t room =
            s.state == CardReadState::CopyingData ? s.writer.DataWordRoom(tail) : 0;
        const uint32_t first = i;
        if (room == 0) {
            const Scan found = FindReserved(piece, i, wordCount, nullptr);
            written = AppendRun(piece, first, i, s);
            return found;
        }
        const Scan found = FindReserved(piece, i, std::min(wordCount, i + room), tail);
        s.writer.TookDataWords(i - first);
        s.dataWordCount += i - first;
        if (found != Scan::RunEnded || i == wordCount)
            return found;
    }
}

// A marker: the block before it is closed, the new one's header follows.
bool StartBlock(const uint8_t* piece, uint32_t& i, CardConversionState& s) {
    s.state = CardReadState::ReadingHeader;
    s.blockNumber = piece[i * kWordSize + 3];
    s.counter = 0;
    ++s.blocksFound;
    if (s.writer.IsBlockOpen() && !s.writer.CloseBlock(s.dataWordCount, s.header.quantityCount))
        return false;
    ++i;
    return true;
}

// Where a write stopped, the conversion stops as it would have there: in a
// block's text it never reached the data part; at the placeholder or a data
// word it had, with the words written so far.
void TakeWriteStop(const WriteStop& stop, CardConversionState& s) {
    s.header.quantityCount = stop.quantityCount;
    if (stop.kind == AppendKind::BlockText) {
        s.state = CardReadState::ReadingQuantityIds;
        return;
    }
    s.state = CardReadState::CopyingData;
    s.dataWordCount = stop.kind == AppendKind::DataWords ? stop.dataWordsWritten : 0;
}

CardConversionOutcome OutcomeOf(const CardConversionState& s, bool closingFailed, bool writeFailed,
                                bool readFailed) {
    const WriteStop* stop = s.writer.stop();
    if (s.blocksFound == 0 && !readFailed)
        return CardConversionOutcome::NoBlockMarker;
    if (stop != nullptr && stop->sizeLimit)
        return CardConversionOutcome::SizeLimitReached;
    if (stop != nullptr || writeFailed)
        return CardConversionOutcome::WriteFailed;
    if (readFailed)
        return CardConversionOutcome::ReadFailed;
    if (s.zeroQuantityCount)
        return CardConversionOutcome::ZeroQuantityCount;
    if (closingFailed)
        return CardConversionOutcome::ClosingFailed;
    if (s.state != CardReadState::CopyingData)
        return CardConversionOutcome::ImageEndedInBlockStart;
    return CardConversionOutcome::Converted;
}

// Only a whole conversion counts as one: a file that lost data, however
// consistent its fields, is not reported as converted.
int32_t ResultOf(CardConversionOutcome outcome) {
    if (outcome == CardConversionOutcome::Converted)
        return kCardConverted;
    return outcome == CardConversionOutcome::NoBlockMarker ? kCardNoBlock : kCardIncomplete;
}

} // namespace

bool ConvertPieces(const uint8_t* pieces, uint32_t wordCount, CardConversionState& s) {
    uint32_t i = 0;
    // A block start the pieces before left unfinished.
    if (!ReadBlockStart(pieces, wordCount, i, s))
        return false;
    while (i < wordCount) {
        bool written = true;
        const Scan found = ScanData(pieces, wordCount, i, s, written);
        if (!written)
            return false;
        if (found == Scan::EndMark) { // the rest of its piece is passed over
            i = (i / kCardPieceWords + 1) * kCardPieceWords;
            continue;
        }
        if (found != Scan::Marker)
            return true;
        // The new block's start is mostly whole in the pieces; the general
        // way carries one over into the next.
        if (!StartBlock(pieces, i, s) ||
            (!WholeBlockStart(pieces, wordCount, i, s) && !ReadBlockStart(pieces, wordCount, i, s)))
            return false;
    }
    return true;
}

CardConversionReport ConvertCardImage(File& image, File& output,
                                      const CardConversionOptions& options) {
    CardConversionReport report;
    const uint32_t readSize = PieceReader::ReadSize(options.piecesPerRead);
    std::unique_ptr<CardConversionState> s(new (std::nothrow) CardConversionState);
    if (!s || !s->writer.Start(output, options.writer, readSize))
        return report;
    PieceReader pieces;
    pieces.Start(image, readSize, s->writer);

    bool pieceFailed = false;
    uint64_t nextProgress = kProgressStep;
    for (;;) {
        const uint8_t* read = nullptr;
        const uint32_t bytes = pieces.NextPieces(read);
        report.imageBytesRead += bytes;
        if (options.progress != nullptr && report.imageBytesRead >= nextProgress) {
            options.progress(report.imageBytesRead, options.progressContext);
            nextProgress = report.imageBytesRead + kProgressStep;
        }
        const uint32_t words = bytes / kWordSize;
        if (words == 0)
            break;
        if (!ConvertPieces(read, words, *s)) {
            pieceFailed = true;
            break;
        }
        if (bytes < kCardPieceSize) // the short piece at the end
            break;
    }

    s->writer.Finish();
    if (const WriteStop* stop = s->writer.stop())
        TakeWriteStop(*stop, *s);
    const bool writeFailed = pieceFailed && !s->zeroQuantityCount;
    bool closingFailed = false;
    if (s->state == CardReadState::CopyingData &&
        !s->writer.CloseBlock(s->dataWordCount, s->header.quantityCount)) {
        s->state = CardReadState::BeforeFirstBlock;
        closingFailed = true;
    }

    report.blocksFound = s->blocksFound;
    report.outcome = OutcomeOf(*s, closingFailed, writeFailed, pieces.failed());
    report.result = ResultOf(report.outcome);
    return report;
}

void CloseConvertedOutput(File& output, CardConversionReport& report) {
    if (output.Close())
        return;
    // An earlier failure stays the one reported.
    if (report.outcome == CardConversionOutcome::Converted ||
        report.outcome == CardConversionOutcome::NoBlockMarker)
        report.outcome = CardConversionOutcome::OutputNotClosed;
    report.result = kCardIncomplete;
}

CardConversionReport ConvertCardFiles(const char* outputPath, const char* imagePath,
                                      const CardConversionOptions& options) {
    CardConversionReport report;
    const std::unique_ptr<File> image = OpenFileForReading(imagePath);
    if (!image) {
        report.outcome = CardConversionOutcome::ImageNotOpened;
        return report;
    }
    const std::unique_ptr<File> output = OpenFileForWriting(outputPath);
    if (!output) {
        report.outcome = CardConversionOutcome::OutputNotCreated;
        return report;
    }
    report = ConvertCardImage(*image, *output, options);
    CloseConvertedOutput(*output, report);
    return report;
}
