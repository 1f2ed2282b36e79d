// Demo instrument settings by key, for the host's own setup.
#pragma once

#include <cstddef>

struct SetupEntry {
    const char* key;
    const char* value;
};

constexpr int kSetupEntryCount = 102;
extern const SetupEntry setupTable[kSetupEntryCount];

// Copies the value of `key` (compared without regard to case) into `out`,
// cut to size - 1 characters; the empty text when the key is unknown.
// A size below 1 writes nothing.
void LookupSetupValue(const char* key, char* out, int size);
