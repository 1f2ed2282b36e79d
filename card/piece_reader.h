// Hands out the card image in pieces of 4096 bytes, exactly the pieces that
// one read of 4096 bytes after another would give, while reading the file in
// far fewer, larger reads.
#pragma once

#include <cstdint>

#include "files/file.h"

// Memory lent for each read of the image.
class ReadRoom {
  public:
    // Room for one read of the size the lender was made for; what was read
    // into the room before is no longer needed.
    virtual uint8_t* RoomForRead() = 0;

  protected:
    ~ReadRoom() = default;
};

class PieceReader {
  public:
    // The bytes one read of `piecesPerRead` pieces asks for.
    static uint32_t ReadSize(uint32_t piecesPerRead);

    // Reads `readSize` bytes at a time into the room `room` lends.
    void Start(File& image, uint32_t readSize, ReadRoom& room);
    // As many of the next pieces as the last read brought, one after the
    // other: whole pieces of 4096 bytes, or the one shorter piece at the end
    // of the image; 0 when nothing more can be read. They stay where they
    // are until the next call.
    uint32_t NextPieces(const uint8_t*& pieces);
    // True once the read of a piece failed: the image was not read to its end.
    bool failed() const { return failed_; }

  private:
    void Refill();
    FileTransfer ReadIntoRoom(uint32_t size);

    File* image_ = nullptr;
    ReadRoom* room_ = nullptr;
    const uint8_t* buffer_ = nullptr;
    uint32_t readSize_ = 0;
    uint32_t filled_ = 0;
    uint32_t offset_ = 0;
    bool pieceByPiece_ = false;
    bool failed_ = false;
};
