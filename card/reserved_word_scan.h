// Finds the next word of a run of card words that may be reserved (a block
// marker or the end mark), copying the data words it passes on the way, so
// the data is read once for the search and the copy together.
#pragma once

#include <cstdint>

// Both reserved patterns begin with a byte of 0x7F or 0xFF (words stand most
// significant byte first), which data words rarely do.
inline bool HasReservedFirstByte(const uint8_t* word) {
    return (word[0] & 0x7F) == 0x7F;
}

// Bytes behind the returned word that a search copying may write: the words
// are looked at and copied in groups of up to this many bytes.
constexpr uint32_t kScanCopyOverrun = 128;

// The index of the first of `words[i..end)` with such a first byte, or
// `end`. With `copyTo`, each word before it is copied to `copyTo` at its own
// index; bytes at and behind the returned index may be written too, up to
// `end` and less than kScanCopyOverrun bytes behind it. The copy runs
// forward: `copyTo` may lie below `words` in the same memory, by at least
// kScanCopyOverrun bytes, and the word returned still stands unchanged.
uint32_t NextReservedCandidate(const uint8_t* words, uint32_t i, uint32_t end, uint8_t* copyTo);
