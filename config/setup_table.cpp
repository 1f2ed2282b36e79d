#include "config/setup_table.h"

#include <algorithm>
#include <cctype>
#include <cstring>

// The values are texts in the host's own setting syntax; they are handed
// over as they are, never read here.
const SetupEntry setupTable[kSetupEntryCount] = {
    {"chan1", ""},
    {"lalarm1", ""},
    {"halarm1", ""},
    {"scale1", "0"},
    {"chan2", ""},
    {"lalarm2", ""},
    {"halarm2", ""},
    {"scale2", "0"},
    {"chan3", ""},
    {"lalarm3", ""},
    {"halarm3", ""},
    {"scale3", "0"},
    {"chan4", ""},
    {"lalarm4", ""},
    {"halarm4", ""},
    {"scale4", "0"},
    {"chan5", ""},
    {"lalarm5", ""},
    {"halarm5", ""},
    {"scale5", "0"},
    {"chan6", ""},
    {"lalarm6", ""},
    {"halarm6", ""},
    {"scale6", "0"},
    {"chan7", ""},
    {"lalarm7", ""},
    {"halarm7", ""},
    {"scale7", "0"},
    {"chan8", ""},
    {"lalarm8", ""},
    {"halarm8", ""},
    {"scale8", "0"},
    {"chan9", ""},
    {"lalarm9", ""},
    {"halarm9", ""},
    {"scale9", "0"},
    {"chan10", ""},
    {"lalarm10", ""},
    {"halarm10", ""},
    {"scale10", "0"},
    {"lut1", "0 []"},
    {"lut2", "0 []"},
    {"lut3", "0 []"},
    {"lut4", "0 []"},
    {"lut5", "0 []"},
    {"lut6", "0 []"},
    {"lut7", "0 []"},
    {"lut8", "0 []"},
    {"lut9", "0 []"},
    {"lut10", "0 []"},
    {"rate", "1000"},
    {"hyst", "0 0"},
    {"size", "1000"},
    {"xysize", "1000"},
    {"xydraw", "1052"},
    {"trig", "0 0"},
    {"view", "2 0 0"},
    {"timemode", "0"},
    {"channels", "3 0 1 0"},
    {"vardef1", ""},
    {"varscale1", ""},
    {"vardef2", ""},
    {"varscale2", ""},
    {"vardef3", ""},
    {"varscale3", ""},
    {"vardef4", ""},
    {"varscale4", ""},
    {"vardef5", ""},
    {"varscale5", ""},
    {"vardef6", ""},
    {"varscale6", ""},
    {"vardef7", ""},
    {"varscale7", ""},
    {"vardef8", ""},
    {"varscale8", ""},
    {"vardef9", ""},
    {"varscale9", ""},
    {"vardef10", ""},
    {"varscale10", ""},
    {"colors", "12 9 10 13 11 14 3 6 5 2"},
    {"loginp", "1100 1101 1102 1 101 201 2 102 202 3 103 203"},
    {"logcal", "1000 1100 1200 1001 1101 1201 100 100 100 100 100 100"},
    {"recinp", "1000 1001 1002 3"},
    {"reccal", "1000 1001 0 0"},
    {"xyrinp", "1000 1001 1002 3"},
    {"xyrcal", "1000 1001 0 0"},
    {"mulinp", "1000 1001 1002 3"},
    {"mulcal", "1000 1001 0 0"},
    {"calmode", "0 1"},
    {"screen", "0 1"},
    {"digirec", ""},
    {"prcoch1", "0 0 -30 0 mV"},
    {"prcoch2", "-1 0"},
    {"prcoch3", "-1 0"},
    {"prcoch4", "-1 0"},
    {"prcoch5", "-1 0"},
    {"prcoch6", "-1 0"},
    {"prcoch7", "-1 0"},
    {"prcoch8", "-1 0"},
    {"prcoch9", "-1 0"},
    {"prcoch10", "-1 0"},
    {"prcoinf", "7500 0 1 0 0"},
};

namespace {

bool SameKey(const char* left, const char* right) {
    for (;; ++left, ++right) {
        int a = std::toupper(static_cast<unsigned char>(*left));
        int b = std::toupper(static_cast<unsigned char>(*right));
        if (a != b)
            return false;
        if (a == 0)
            return true;
    }
}

const char* FindSetupValue(const char* key) {
    const SetupEntry* end = setupTable + kSetupEntryCount;
    const SetupEntry* found = std::find_if(
        setupTable, end, [key](const SetupEntry& entry) { return SameKey(entry.key, key); });
    return found == end ? "" : found->value;
}

} // namespace

void LookupSetupValue(const char* key, char* out, int size) {
    if (key == nullptr || out == nullptr || size < 1)
        return;
    const char* value = FindSetupValue(key);
    size_t length = std::strlen(value);
    size_t room = static_cast<size_t>(size) - 1;
    if (length > room)
        length = room;
    std::memcpy(out, value, length);
    out[length] = '\0';
}
