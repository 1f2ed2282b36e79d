// Hands out the card image in pieces of 4096 bytes, exactly the pieces that
// one read of 4096 bytes after another would give, while reading the file in
// far fewer, larger reads.
#pragma once

#include <cstdint>

#include "files/file.h"

class PieceReader {
  public:
    PieceReader() = default;
    PieceReader(const PieceReader&) = delete;
    PieceReader& operator=(const PieceReader&) = delete;
    ~PieceReader();

    // Reads `piecesPerRead` pieces at a time. False when the buffer cannot
    // be had.
    bool Start(File& image, uint32_t piecesPerRead);
    // As many of the next pieces as the buffer holds, one after the other:
    // whole pieces of 4096 bytes, or the one shorter piece at the end of the
    // image; 0 when nothing more can be read.
    uint32_t NextPieces(const uint8_t*& pieces);
    // True once the read of a piece failed: the image was not read to its end.
    bool failed() const { return failed_; }

  private:
    void Refill();

    File* image_ = nullptr;
    uint8_t* buffer_ = nullptr;
    uint32_t readSize_ = 0;
    uint32_t filled_ = 0;
    uint32_t offset_ = 0;
    bool pieceByPiece_ = false;
    bool failed_ = false;
};
