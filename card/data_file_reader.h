// Reads a measurement data file back, block by block, and checks what its
// text says against its data: the end offset against where the data ends,
// the row count against the number of data words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct DataFileQuantity {
    std::string name; // code page 437 bytes; empty for an id the table lacks
    std::string unit;
};

struct DataFileBlock {
    uint64_t offset = 0; // the block's first byte
    std::string number;  // "005"
    std::string date;    // "15.07.2002"
    std::string time;    // "12:34:56"
    std::string parameter;
    uint64_t quantityCount = 0; // K as the text says it
    std::vector<DataFileQuantity> quantities;
    bool closed = false;               // end offset and row count filled in
    uint64_t endOffset = 0;            // as written; the file's end when not closed
    uint64_t rowCount = 0;             // as written
    uint64_t dataOffset = 0;           // the first data byte, behind the NUL
    uint64_t dataWords = 0;            // whole words from dataOffset to the block's end
    std::vector<std::string> problems; // what does not agree, in words

    uint64_t columns() const { return quantities.size(); }
};

class DataFileReader {
  public:
    DataFileReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    // Reads the next block. False at the end of the file, or when what is
    // left cannot be read as a block (error() says why).
    bool Next(DataFileBlock& block);
    const std::string& error() const { return error_; }

    // Data word `index` of `block`, most significant byte first.
    uint32_t DataWord(const DataFileBlock& block, uint64_t index) const;

  private:
    bool ParseText(std::string_view text, DataFileBlock& block);
    void CheckData(DataFileBlock& block);

    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
    std::string error_;
};
