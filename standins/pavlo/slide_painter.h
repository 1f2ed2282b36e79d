// Draws the current state of a show: the title card before the first slide,
// then each slide with its title, text lines and counter.
#pragma once

#include <windows.h>

#include "pavlo/show_sequence.h"

namespace pavlo {

struct SlideLook {
    const char* cardTitle;    // shown before the first slide
    const char* cardSubtitle; // e.g. the script's name
    bool active;              // the show window's frame is active
};

// Paints off-screen first, so the intro's fade does not flicker.
void PaintShow(HDC dc, const RECT& area, const ShowSequence& show, const SlideLook& look);

} // namespace pavlo
