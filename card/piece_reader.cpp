#include "card/piece_reader.h"

#include <algorithm>

#include "card/card_conversion.h"

uint32_t PieceReader::ReadSize(uint32_t piecesPerRead) {
    return std::max<uint32_t>(piecesPerRead, 1) * kCardPieceSize;
}

void PieceReader::Start(File& image, uint32_t readSize, ReadRoom& room) {
    image_ = &image;
    readSize_ = readSize;
    room_ = &room;
}

uint32_t PieceReader::NextPieces(const uint8_t*& pieces) {
    if (offset_ == filled_)
        Refill();
    const uint32_t held = filled_ - offset_;
    const uint32_t size = held >= kCardPieceSize ? held / kCardPieceSize * kCardPieceSize : held;
    pieces = buffer_ + offset_;
    offset_ += size;
    return size;
}

// A large read that comes back short met the end of the image or a failure.
// What it brought is handed out piece by piece, and from there on each read
// asks for one piece only, so a read that fails loses only the piece it was
// for, as reading piece by piece from the start would have.
void PieceReader::Refill() {
    offset_ = 0;
    if (!pieceByPiece_) {
        filled_ = ReadIntoRoom(readSize_).bytes;
        if (filled_ == readSize_)
            return;
        pieceByPiece_ = true;
        if (filled_ > 0)
            return;
    }
    const FileTransfer read = ReadIntoRoom(kCardPieceSize);
    filled_ = read.bytes;
    // Only a piece that cannot be had is lost; a large read that failed is
    // tried again piece by piece first.
    failed_ = failed_ || read.failed;
}

FileTransfer PieceReader::ReadIntoRoom(uint32_t size) {
    uint8_t* const room = room_->RoomForRead();
    buffer_ = room;
    return image_->Read(room, size);
}
