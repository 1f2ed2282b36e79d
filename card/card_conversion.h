// Turns a memory-card image into a measurement data file. The image is read
// in pieces of 4096 bytes; a state machine finds the blocks by their marker
// word, has their headers and quantity lists written as text, copies their
// data words unchanged and carries a block across the pieces.
#pragma once

#include <cstdint>

#include "card/block_text.h"
#include "card/data_file_writer.h"
#include "files/file.h"

constexpr uint32_t kCardPieceSize = 4096;
constexpr uint32_t kCardPieceWords = kCardPieceSize / 4;

enum class CardReadState { BeforeFirstBlock, ReadingHeader, ReadingQuantityIds, CopyingData };

struct CardConversionState {
    CardReadState state = CardReadState::BeforeFirstBlock;
    // Position in the header words or the id list. 32 bits wide: a block may
    // list 65536 quantities or more, and a 16-bit count would never reach K.
    uint32_t counter = 0;
    BlockHeader header{};
    uint32_t blockNumber = 0;
    uint32_t dataWordCount = 0; // data words appended to the current block
    uint32_t blocksFound = 0;   // block markers seen
    bool zeroQuantityCount = false;
    DataFileWriter writer;
};

// Runs the state machine over `wordCount` words of whole pieces, one after
// the other, or of the short piece at the image's end. An end mark passes over
// the rest of its piece only. False when a write failed or a block declared
// K = 0; the conversion stops then.
bool ConvertPieces(const uint8_t* pieces, uint32_t wordCount, CardConversionState& state);

// The result codes the host gets.
constexpr int32_t kCardConverted = 0;
constexpr int32_t kCardFilesUnavailable = -1; // image, output or buffer not to be had
constexpr int32_t kCardNoBlock = -4;          // no block marker; the output is empty
// The last block cut short or not closed, or a read of the image, a write,
// the final flush or the close of the output failed.
constexpr int32_t kCardIncomplete = -5;

// Why a conversion ended as it did, for tools that explain it.
enum class CardConversionOutcome {
    Converted,
    ImageNotOpened,
    OutputNotCreated,
    NoMemory,
    NoBlockMarker,
    ImageEndedInBlockStart, // inside the header or the id list of the last block
    ZeroQuantityCount,
    WriteFailed,      // the file took no more; what fitted is kept and closed
    ClosingFailed,    // the last block's fields could not be written
    SizeLimitReached, // the next write would have made the file too large
    ReadFailed,       // a piece of the image could not be read; the rest is missing
    OutputNotClosed,  // closing the output failed: its last bytes may be lost
};

struct CardConversionReport {
    int32_t result = kCardFilesUnavailable;
    CardConversionOutcome outcome = CardConversionOutcome::NoMemory;
    uint32_t blocksFound = 0;
    uint64_t imageBytesRead = 0;
};

struct CardConversionOptions {
    DataFileWriterOptions writer;
    // Pieces the image is read in at a time; the pieces handed to the state
    // machine are the same whatever this is.
    uint32_t piecesPerRead = 64;
    // Called after every megabyte read, with the bytes read so far.
    void (*progress)(uint64_t imageBytesRead, void* context) = nullptr;
    void* progressContext = nullptr;
};

CardConversionReport ConvertCardImage(File& image, File& output,
                                      const CardConversionOptions& options = {});

// Closes the output of a conversion. The system may hold back the last bytes
// until the close, so a failed close makes the result -5.
void CloseConvertedOutput(File& output, CardConversionReport& report);

// Opens the image, creates (or overwrites) the output, converts and closes.
CardConversionReport ConvertCardFiles(const char* outputPath, const char* imagePath,
                                      const CardConversionOptions& options = {});
