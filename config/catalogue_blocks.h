// Memory blocks that hold the catalogue's item texts for a session: movable
// global memory on Windows, the C heap elsewhere.
#pragma once

#include <cstddef>

struct TextBlock {
    void* handle; // the platform's block, null when none
    void* data;   // its locked, zero-filled bytes
};

struct TextBlockPlatform {
    // Makes a zero-filled block of `size` bytes and locks it; false (and
    // nothing made) when either step fails.
    bool (*allocate)(size_t size, TextBlock& block);
    // Unlocks and frees the block and clears it; an empty block is skipped.
    void (*release)(TextBlock& block);
};

// The functions in use; tests replace them to make allocation fail.
extern TextBlockPlatform textBlockPlatform;
