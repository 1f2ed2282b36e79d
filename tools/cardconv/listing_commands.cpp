#include "listing_commands.h"

#include <string>
#include <vector>

#include "card/data_file_reader.h"
#include "cp437.h"

namespace {

bool LoadFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "cardconv: cannot open %s\n", path);
        return false;
    }
    uint8_t chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        std::fprintf(stderr, "cardconv: cannot read %s\n", path);
    return !failed;
}

std::string QuantityList(const DataFileBlock& block) {
    std::string list;
    for (const DataFileQuantity& quantity : block.quantities) {
        if (!list.empty())
            list += ", ";
        list += quantity.name.empty() ? "(unknown)" : Cp437ToUtf8(quantity.name);
        if (!quantity.unit.empty())
            list += " [" + Cp437ToUtf8(quantity.unit) + "]";
    }
    return list;
}

void PrintBlock(unsigned long index, const DataFileBlock& block) {
    std::printf("block %lu at offset %llu: number %s, started %s %s, parameter %s\n", index,
                static_cast<unsigned long long>(block.offset), block.number.c_str(),
                block.date.c_str(), block.time.c_str(), block.parameter.c_str());
    std::printf("  quantities (%llu): %s\n", static_cast<unsigned long long>(block.columns()),
                QuantityList(block).c_str());
    const unsigned long long dataEnd = block.dataOffset + block.dataWords * 4;
    std::printf("  rows: %llu as written; %llu data words from offset %llu to %llu\n",
                static_cast<unsigned long long>(block.rowCount),
                static_cast<unsigned long long>(block.dataWords),
                static_cast<unsigned long long>(block.dataOffset), dataEnd);
    if (block.problems.empty()) {
        std::printf("  checks: end offset and row count agree with the data\n");
        return;
    }
    for (const std::string& problem : block.problems)
        std::printf("  check failed: %s\n", problem.c_str());
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void WriteCsvBlock(std::FILE* out, const DataFileReader& reader, const DataFileBlock& block) {
    const uint64_t columns = block.columns();
    for (uint64_t column = 0; column < columns; ++column) {
        const std::string& name = block.quantities[column].name;
        const std::string header =
            name.empty() ? "column " + std::to_string(column + 1) : Cp437ToUtf8(name);
        std::fprintf(out, "%s%s", column == 0 ? "" : ",", CsvCell(header).c_str());
    }
    std::fputc('\n', out);
    if (columns == 0)
        return;
    // A last row with fewer words than columns keeps its empty cells.
    for (uint64_t first = 0; first < block.dataWords; first += columns) {
        for (uint64_t column = 0; column < columns; ++column) {
            if (column > 0)
                std::fputc(',', out);
            if (first + column < block.dataWords)
                std::fprintf(out, "%08lX",
                             static_cast<unsigned long>(reader.DataWord(block, first + column)));
        }
        std::fputc('\n', out);
    }
}

} // namespace

int RunDump(const char* dataFilePath) {
    std::vector<uint8_t> bytes;
    if (!LoadFile(dataFilePath, bytes))
        return 1;
    std::printf("%s: %llu bytes\n", dataFilePath, static_cast<unsigned long long>(bytes.size()));
    DataFileReader reader(bytes.data(), bytes.size());
    DataFileBlock block;
    unsigned long count = 0;
    bool allAgree = true;
    while (reader.Next(block)) {
        PrintBlock(++count, block);
        allAgree = allAgree && block.problems.empty();
    }
    if (!reader.error().empty())
        std::printf("stopped: %s\n", reader.error().c_str());
    std::printf("%lu block%s%s\n", count, count == 1 ? "" : "s",
                allAgree && reader.error().empty() ? ", all checks passed" : "");
    return allAgree && reader.error().empty() ? 0 : 1;
}

int RunCsv(const char* dataFilePath, std::FILE* out, unsigned long onlyBlock) {
    std::vector<uint8_t> bytes;
    if (!LoadFile(dataFilePath, bytes))
        return 1;
    DataFileReader reader(bytes.data(), bytes.size());
    DataFileBlock block;
    unsigned long index = 0;
    bool written = false;
    while (reader.Next(block)) {
        if (onlyBlock != 0 && ++index != onlyBlock)
            continue;
        if (written)
            std::fputc('\n', out);
        WriteCsvBlock(out, reader, block);
        written = true;
    }
    if (!reader.error().empty())
        std::fprintf(stderr, "cardconv: %s\n", reader.error().c_str());
    if (onlyBlock != 0 && !written) {
        std::fprintf(stderr, "cardconv: %s has no block %lu\n", dataFilePath, onlyBlock);
        return 1;
    }
    return reader.error().empty() ? 0 : 1;
}
