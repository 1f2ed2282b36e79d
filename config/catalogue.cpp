#include "config/catalogue.h"

#include <cstring>

#include "config/regional.h"

Catalogue catalogue;

void EmptyCatalogue() {
    std::memset(&catalogue, 0, sizeof catalogue);
    for (int32_t& position : catalogue.displayOrder)
        position = -1;
}

// The catalogue file reader is not there yet: every session starts with an
// empty price list, so price and currency texts draw nothing.
void LoadCatalogue(const char* /*directory*/) {
    ReadRegionalSettings();
    EmptyCatalogue();
}

void FreeCatalogue() {}
