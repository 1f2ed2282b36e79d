// The price catalogue the order sheet, page texts and print-out read.
#pragma once

#include <cstdint>

constexpr int kLanguageCount = 7;
constexpr int kMaxItems = 100;
constexpr int kMaxAddresses = 30;
constexpr int kAddressLines = 7;

struct AddressRecord {
    char title[41];
    char lines[kAddressLines][41];
};

struct CatalogueDate {
    int16_t year; // > 0: prices valid; 0: expired
    uint8_t day;
    uint8_t month;
};

struct Catalogue {
    int32_t defaultLanguage;
    char priceListLabel[31];
    char currency[8];
    double surchargePercent;
    CatalogueDate validUntil;
    char noteLines[kLanguageCount][2][151];
    int32_t addressCount;
    AddressRecord addresses[kMaxAddresses];
    int32_t itemCount;
    double prices[kMaxItems];
    int32_t orderRank[kMaxItems];
    int32_t displayOrder[kMaxItems]; // item index at each display position; -1 none
};

extern Catalogue catalogue;

// Leaves the catalogue with no items, texts or prices.
void EmptyCatalogue();

// Reads the regional settings, then the catalogue file from `directory`;
// a missing or bad file leaves the catalogue empty.
void LoadCatalogue(const char* directory);

// Releases what the catalogue holds beyond the record itself.
void FreeCatalogue();
