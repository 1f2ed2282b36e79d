#include "config/catalogue_blocks.h"

#include <windows.h>

namespace {

bool AllocateGlobalBlock(size_t size, TextBlock& block) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory)
        return false;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return false;
    }
    block.handle = memory;
    block.data = data;
    return true;
}

void ReleaseGlobalBlock(TextBlock& block) {
    if (!block.handle)
        return;
    HGLOBAL memory = static_cast<HGLOBAL>(block.handle);
    // A movable block counts its locks; free it only once fully unlocked.
    while (GlobalUnlock(memory)) {
    }
    GlobalFree(memory);
    block = TextBlock{};
}

} // namespace

TextBlockPlatform textBlockPlatform = {AllocateGlobalBlock, ReleaseGlobalBlock};
