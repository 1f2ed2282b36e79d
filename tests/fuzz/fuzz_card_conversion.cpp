// Card images from the fuzzer. Buffered writing must leave the same file and
// result as one write per field and data word, whatever room the disk has and
// wherever the size limit falls; a complete conversion must read back with
// every block's end offset and row count agreeing with its data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "card/card_conversion.h"
#include "card/data_file_reader.h"
#include "files/memory_file.h"

namespace {

struct Run {
    CardConversionReport report;
    std::vector<uint8_t> file;
};

Run Convert(const std::vector<uint8_t>& image, uint32_t capacity, MemoryFile::FullDisk disk,
            const DataFileWriterOptions& writer, uint32_t piecesPerRead) {
    MemoryFile input(image), output;
    output.LimitSize(capacity, disk);
    CardConversionOptions options;
    options.writer = writer;
    options.piecesPerRead = piecesPerRead;
    const CardConversionReport report = ConvertCardImage(input, output, options);
    return {report, output.bytes()};
}

void CheckReadsBack(const std::vector<uint8_t>& file) {
    DataFileReader reader(file.data(), file.size());
    DataFileBlock block;
    while (reader.Next(block)) {
        if (!block.closed || !block.problems.empty())
            __builtin_trap();
        for (uint64_t word = 0; word < block.dataWords; ++word)
            reader.DataWord(block, word);
    }
    if (!reader.error().empty())
        __builtin_trap();
}

} // namespace

// Settings first: byte 0 picks the disk, whether a size limit applies and
// the pieces per read, bytes 1-2 the disk's room or the limit, byte 3 the
// buffer size; the rest is the image.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const uint32_t room = static_cast<uint32_t>(data[1]) << 8 | data[2];
    const bool limitDisk = (data[0] & 1) != 0;
    const bool limitSize = (data[0] & 2) != 0;
    const auto disk = (data[0] & 4) != 0 ? MemoryFile::FullDisk::RefusesWholeWrite
                                         : MemoryFile::FullDisk::WritesWhatFits;
    DataFileWriterOptions buffered;
    buffered.bufferSize = 128 + 16u * data[3];
    if (limitSize)
        buffered.sizeLimit = 1 + room;
    DataFileWriterOptions eachAppend = buffered;
    eachAppend.writeEachAppend = true;
    const std::vector<uint8_t> image(data + 4, data + size);
    const uint32_t capacity = limitDisk ? room : UINT32_MAX;

    // The plain run reads one piece at a time, as the image's pieces are meant.
    const Run fast = Convert(image, capacity, disk, buffered, 1 + (data[0] >> 3) % 4);
    const Run plain = Convert(image, capacity, disk, eachAppend, 1);
    if (fast.report.result != plain.report.result || fast.file != plain.file ||
        fast.report.outcome != plain.report.outcome)
        __builtin_trap();
    if (limitSize && fast.file.size() >= buffered.sizeLimit)
        __builtin_trap();
    if (fast.report.outcome == CardConversionOutcome::Converted)
        CheckReadsBack(fast.file);
    return 0;
}
