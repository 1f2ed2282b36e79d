// Which host texts every dialog of the module shows, by dialog key (the
// dialog's template id, passed as its initialisation parameter).
#pragma once

#include <cstdint>

// (text id, id): the first pair of a map is (caption text id, dialog key),
// each further pair (text id, control id); a pair with text id 0 ends it.
struct DialogTextPair {
    int32_t textId;
    int32_t id;
};

constexpr int kMaxControlTexts = 99;

// The first map whose first pair carries `key`, or null.
const DialogTextPair* FindDialogTextMap(int32_t key);

// How many (text id, control id) pairs follow the map's first pair: up to the
// first pair with text id 0, at most kMaxControlTexts.
int ControlTextCount(const DialogTextPair* map);
