// Hex dumps as the documents show them, in the layout of `hexdump -Cv`:
// offset, sixteen bytes in two groups of eight, the printable ones between
// bars.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The dump of `bytes`, one line per sixteen bytes, each ending in '\n'.
std::string HexDump(const std::vector<uint8_t>& bytes);

// The bytes of a dump in that layout; false (with `problem` set) when a line
// cannot be read as one.
bool ParseHexDump(const std::string& dump, std::vector<uint8_t>& bytes, std::string& problem);
