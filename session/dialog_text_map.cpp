#include "session/dialog_text_map.h"

#include <algorithm>
#include <iterator>

namespace {

// Help list.
const DialogTextPair kHelpList[] = {
    {23070, 4420}, {23355, 1}, {23356, 7}, {23012, 2}, {23357, 31280}, {0, 0},
};

// Order sheet.
const DialogTextPair kOrderSheet[] = {
    {23358, 4400},  {23110, 2},     {23359, 1},     {23360, 31123}, {23361, 31124}, {23362, 31125},
    {23363, 31126}, {23364, 31127}, {23365, 31128}, {23366, 31129}, {23367, 31130}, {23368, 31131},
    {23369, 31132}, {23370, 31133}, {23371, 31134}, {0, 0},
};

// Quantity entry: the host's template keeps its own caption and labels.
const DialogTextPair kQuantityEntry[] = {
    {0, 4414},
    {0, 0},
};

// Printing.
const DialogTextPair kPrinting[] = {
    {0, 3031},
    {23098, 1},
    {23099, 31236},
    {0, 0},
};

// Searched in order; only the dialogs this module opens have a map.
const DialogTextPair* const kDialogTextMaps[] = {kHelpList, kOrderSheet, kQuantityEntry, kPrinting};

} // namespace

const DialogTextPair* FindDialogTextMap(int32_t key) {
    const auto* const found =
        std::find_if(std::begin(kDialogTextMaps), std::end(kDialogTextMaps),
                     [key](const DialogTextPair* map) { return map[0].id == key; });
    return found != std::end(kDialogTextMaps) ? *found : nullptr;
}

int ControlTextCount(const DialogTextPair* map) {
    if (map == nullptr)
        return 0;
    int count = 0;
    while (count < kMaxControlTexts && map[count + 1].textId != 0)
        ++count;
    return count;
}
