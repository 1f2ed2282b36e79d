#include "config/catalogue_blocks.h"

#include <cstdlib>

namespace {

bool AllocateHeapBlock(size_t size, TextBlock& block) {
    void* data = std::calloc(1, size);
    if (!data)
        return false;
    block.handle = data;
    block.data = data;
    return true;
}

void ReleaseHeapBlock(TextBlock& block) {
    std::free(block.handle);
    block = TextBlock{};
}

} // namespace

TextBlockPlatform textBlockPlatform = {AllocateHeapBlock, ReleaseHeapBlock};
