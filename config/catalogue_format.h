// Layout of the catalogue file "TALVERIN.CNF" (all numbers little-endian).
//
//   0  "C305"                 magic
//   4  sum byte               8-bit sum of all bytes, bytes 4 and 5 taken as 0
//   5  XOR byte               XOR of all bytes, bytes 4 and 5 taken as 0
//   6  int32 file length
//  10  int32 default language, then counted strings (uint16 length, text):
//      label (30), currency (7); real surcharge; int16 year, uint8 day,
//      uint8 month; 7 note texts (1999); int32 address count, each address
//      a title (40) and a body (1999); int32 item count, one real price per
//      item; int32 order length, uint16 item indexes; per language and item
//      an int32 offset of its code text (20) and of its long text (50),
//      negative for "use the default language's text".
#pragma once

#include <cstdint>

constexpr char kCatalogueFileName[] = "TALVERIN.CNF";
constexpr char kCatalogueMagic[] = "C305"; // the first four bytes

constexpr int64_t kSumByteOffset = 4;
constexpr int64_t kXorByteOffset = 5;
constexpr int64_t kFileLengthOffset = 6;
constexpr int64_t kDefaultLanguageOffset = 10;

// Note texts and address bodies are read whole and split into lines.
constexpr int kBodyTextCapacity = 1999;
constexpr int kOffsetPairSize = 8;

// The module-wide text buffer of 2000 bytes: the checksum pass streams the
// file through it and long texts are read into it before they are split.
constexpr int kScratchTextSize = 2000;
