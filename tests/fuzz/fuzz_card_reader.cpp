// Data files from the fuzzer, read as cardconv dump and csv read them: every
// block, every data word, never outside the file, always moving on.
#include <cstddef>
#include <cstdint>

#include "card/data_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DataFileReader reader(data, size);
    DataFileBlock block;
    uint64_t lastOffset = 0;
    bool first = true;
    while (reader.Next(block)) {
        if (!first && block.offset <= lastOffset)
            __builtin_trap();
        first = false;
        lastOffset = block.offset;
        if (block.dataOffset + block.dataWords * 4 > size)
            __builtin_trap();
        uint32_t sum = 0;
        for (uint64_t word = 0; word < block.dataWords; ++word)
            sum += reader.DataWord(block, word);
        for (const DataFileQuantity& quantity : block.quantities)
            sum += static_cast<uint32_t>(quantity.name.size() + quantity.unit.size());
        (void)sum;
    }
    return 0;
}
