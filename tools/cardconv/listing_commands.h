// cardconv dump and cardconv csv: a data file's blocks in words, and their
// rows as CSV.
#pragma once

#include <cstdio>

int RunDump(const char* dataFilePath);

// All blocks (each with its header row, blank lines between), or only block
// `onlyBlock` (counted from 1) when it is not 0.
int RunCsv(const char* dataFilePath, std::FILE* out, unsigned long onlyBlock);
