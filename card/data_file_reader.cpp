#include "card/data_file_reader.h"

#include <cstring>

#include "card/block_text.h"
#include "card/card_word.h"

namespace {

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t semicolon; (semicolon = text.find(';', start)) != std::string_view::npos;
         start = semicolon + 1)
        fields.push_back(text.substr(start, semicolon - start));
    fields.push_back(text.substr(start)); // empty when the text ends with ";"
    return fields;
}

bool ParseDigits(std::string_view digits, uint64_t& value) {
    if (digits.empty() || digits.size() > 19)
        return false;
    value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

enum class CountField { Blank, Number, Malformed };

// Eight places: all spaces until the block was closed, else a right-aligned
// number.
CountField ParseCountField(std::string_view field, uint64_t& value) {
    if (field.size() != kCountFieldWidth)
        return CountField::Malformed;
    const size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return CountField::Blank;
    return ParseDigits(field.substr(first), value) ? CountField::Number : CountField::Malformed;
}

// The name or one space, one space, the unit or one space.
DataFileQuantity ParseQuantity(std::string_view field) {
    DataFileQuantity quantity;
    std::string_view unit;
    if (!field.empty() && field[0] == ' ') {
        unit = field.size() > 2 ? field.substr(2) : std::string_view();
    } else {
        const size_t space = field.find(' ');
        quantity.name = std::string(field.substr(0, space));
        unit = space == std::string_view::npos ? std::string_view() : field.substr(space + 1);
    }
    if (unit != " ")
        quantity.unit = std::string(unit);
    return quantity;
}

std::string At(uint64_t offset) {
    return " (block at offset " + std::to_string(offset) + ")";
}

} // namespace

bool DataFileReader::Next(DataFileBlock& block) {
    block = DataFileBlock();
    if (position_ >= size_)
        return false;
    block.offset = position_;
    const void* nul = std::memchr(bytes_ + position_, 0, size_ - position_);
    if (nul == nullptr) {
        error_ = "no NUL ends the block's text" + At(position_);
        position_ = size_;
        return false;
    }
    const size_t textEnd = static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes_);
    const std::string_view text(reinterpret_cast<const char*>(bytes_ + position_),
                                textEnd - position_);
    if (!ParseText(text, block)) {
        error_ += At(position_);
        position_ = size_;
        return false;
    }
    block.dataOffset = textEnd + 1;
    CheckData(block);
    // A closed block's end lies behind its text (CheckData made sure), so
    // every step moves on; without an end the rest of the file is its data.
    position_ = block.closed ? static_cast<size_t>(block.endOffset) : size_;
    return true;
}

bool DataFileReader::ParseText(std::string_view text, DataFileBlock& block) {
    const std::vector<std::string_view> fields = SplitFields(text);
    // number, end offset, date, time, parameter, K, K quantities, row count, ""
    if (fields.size() < 8) {
        error_ = "the block's text has too few fields";
        return false;
    }
    block.number = std::string(fields[0]);
    block.date = std::string(fields[2]);
    block.time = std::string(fields[3]);
    block.parameter = std::string(fields[4]);
    uint64_t value = 0;
    if (block.number.size() != 3 || !ParseDigits(block.number, value))
        block.problems.push_back("the block number is not three digits");
    if (!ParseDigits(fields[4], value))
        block.problems.push_back("the parameter is not a number");
    if (!ParseDigits(fields[5], block.quantityCount))
        block.problems.push_back("the quantity count is not a number");
    const size_t quantityFields = fields.size() - 8;
    for (size_t i = 0; i < quantityFields; ++i)
        block.quantities.push_back(ParseQuantity(fields[6 + i]));
    if (quantityFields != block.quantityCount)
        block.problems.push_back("the text lists " + std::to_string(quantityFields) +
                                 " quantities, its count says " +
                                 std::to_string(block.quantityCount));
    if (!fields.back().empty())
        block.problems.push_back("the text does not end with \";\"");

    const CountField end = ParseCountField(fields[1], block.endOffset);
    const CountField rows = ParseCountField(fields[fields.size() - 2], block.rowCount);
    if (end == CountField::Malformed || rows == CountField::Malformed) {
        error_ = "the end offset or row count is not eight places";
        return false;
    }
    block.closed = end == CountField::Number && rows == CountField::Number;
    if (end != rows)
        block.problems.push_back("only one of end offset and row count is filled in");
    return true;
}

void DataFileReader::CheckData(DataFileBlock& block) {
    uint64_t dataEnd = size_;
    if (!block.closed) {
        block.problems.push_back("the block was never closed: its data runs to the file's end");
    } else if (block.endOffset < block.dataOffset || block.endOffset > size_) {
        block.problems.push_back("the end offset " + std::to_string(block.endOffset) +
                                 " lies outside the data, which starts at " +
                                 std::to_string(block.dataOffset) + " in a file of " +
                                 std::to_string(size_) + " bytes");
        block.closed = false;
    } else {
        dataEnd = block.endOffset;
    }
    if (!block.closed)
        block.endOffset = size_;
    const uint64_t dataBytes = dataEnd > block.dataOffset ? dataEnd - block.dataOffset : 0;
    block.dataWords = dataBytes / 4;
    if (dataBytes % 4 != 0)
        block.problems.push_back("the data part is not whole words (" + std::to_string(dataBytes) +
                                 " bytes)");
    const uint64_t columns = block.quantities.size();
    if (block.closed && columns > 0 && block.rowCount != block.dataWords / columns)
        block.problems.push_back("the row count " + std::to_string(block.rowCount) + " does not " +
                                 "agree with " + std::to_string(block.dataWords) +
                                 " data words of " + std::to_string(columns) + " columns");
}

uint32_t DataFileReader::DataWord(const DataFileBlock& block, uint64_t index) const {
    if (index >= block.dataWords)
        return 0;
    return CardWord(bytes_ + block.dataOffset + index * 4);
}
