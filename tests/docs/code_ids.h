// Ids the code uses that live in headers which cannot share a translation
// unit (the page items and the print cells name their alignments alike).
#pragma once

#include <set>

// Host texts the pages draw; their one "%c" or "%s" is filled from the catalogue.
std::set<long> PageTextIds();
// Host texts of the printed order.
std::set<long> PrintTextIds();
// Print texts whose one "%s" or "%d" gets a value.
std::set<long> PrintFieldTextIds();
