// The texts the host keeps for the module, looked up by numeric id.
#pragma once

#include <cstddef>

struct HostTextEntry {
    unsigned id;
    const char* text;
};

// The text kept under `id`, or nullptr when the host has none.
const char* HostText(unsigned id);

// Writes text `id` into `buffer` the way the module's text callback expects:
// NUL-terminated, at most bufferSize - 1 characters, empty when unknown.
// Does nothing for a null buffer or a size below 1.
void CopyHostText(unsigned id, char* buffer, int bufferSize);

// The whole table, sorted by id (for checks and listings).
const HostTextEntry* HostTextTable(std::size_t* count);
