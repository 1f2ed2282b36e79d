// The few file calls the card conversion makes: sequential reads of the
// image; appends, seeks and overwrites of the data file. Windows and POSIX
// each implement opening real files; tests and the fuzzer use MemoryCardFile.
#pragma once

#include <cstdint>
#include <memory>

class CardFile {
  public:
    virtual ~CardFile() = default;
    // Reads up to `count` bytes and moves past them; fewer only at the end of
    // the file. The number read; 0 at the end or on an error.
    virtual uint32_t Read(uint8_t* buffer, uint32_t count) = 0;
    // Writes `count` bytes at the current position and moves past them. The
    // number written: fewer than asked when the file cannot take more.
    virtual uint32_t Write(const uint8_t* bytes, uint32_t count) = 0;
    // Moves to `offset` bytes from the start; false on an error.
    virtual bool Seek(uint32_t offset) = 0;
    // Moves to the end and gives the file's size there; false on an error.
    virtual bool SeekToEnd(uint32_t& size) = 0;
};

// Opens the card image at `path` for reading; null when it cannot be opened.
std::unique_ptr<CardFile> OpenCardImage(const char* path);

// Creates the data file at `path`, or empties an existing one, for writing;
// null when that fails.
std::unique_ptr<CardFile> CreateDataFile(const char* path);
