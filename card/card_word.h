// A word of a card image, as the card stores it: most significant byte first.
#pragma once

#include <cstdint>

inline uint32_t CardWord(const uint8_t* word) {
    return static_cast<uint32_t>(word[0]) << 24 | static_cast<uint32_t>(word[1]) << 16 |
           static_cast<uint32_t>(word[2]) << 8 | word[3];
}
