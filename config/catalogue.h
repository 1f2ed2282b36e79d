// The price catalogue the order sheet, page texts and print-out read.
#pragma once

#include <cstdint>

#include "config/catalogue_blocks.h"

constexpr int kLanguageCount = 7;
constexpr int kMaxItems = 100;
constexpr int kMaxAddresses = 30;
constexpr int kAddressLines = 7;
constexpr int kNoteLines = 2;

// Text limits in characters; fields hold one byte more for the NUL.
constexpr int kLabelLimit = 30;
constexpr int kCurrencyLimit = 7;
constexpr int kNoteLineLimit = 150;
constexpr int kAddressTextLimit = 40;
constexpr int kItemCodeLimit = 20;
constexpr int kItemTextLimit = 50;

struct AddressRecord {
    char title[kAddressTextLimit + 1];
    char lines[kAddressLines][kAddressTextLimit + 1];
};

struct CatalogueDate {
    int16_t year; // > 0: prices valid; 0: expired
    uint8_t day;
    uint8_t month;
};

struct ItemTextRow {
    char itemCode[kItemCodeLimit + 1];
    char itemText[kItemTextLimit + 1];
};

// Rows per language block; the last one is never filled and stays empty.
constexpr int kItemTextRows = kMaxItems + 1;

struct Catalogue {
    int32_t defaultLanguage;
    char priceListLabel[kLabelLimit + 1];
    char currency[kCurrencyLimit + 1];
    double surchargePercent;
    CatalogueDate validUntil;
    char noteLines[kLanguageCount][kNoteLines][kNoteLineLimit + 1];
    int32_t addressCount;
    AddressRecord addresses[kMaxAddresses];
    int32_t itemCount;
    double prices[kMaxItems];
    int32_t orderRank[kMaxItems];    // 1-based display place of each item; 0 = not listed
    int32_t displayOrder[kMaxItems]; // item index at each display position; -1 none
    // Ordered quantities (0..10000, 0 = not ordered), set on the order sheet;
    // they outlast a reload or a failed load of the file.
    int32_t quantities[kMaxItems];
    // One block of kItemTextRows rows per language, made when a load starts
    // and released by FreeCatalogue; null while not made.
    ItemTextRow* itemTexts[kLanguageCount];
    TextBlock itemTextBlocks[kLanguageCount];
};

extern Catalogue catalogue;

// Prices, amounts and orders count only while the price list has a date of
// validity; an expired or missing one leaves the year at 0.
inline bool PricesValid(const Catalogue& target) {
    return target.validUntil.year > 0;
}

// Leaves the catalogue with no items, texts or prices; the text blocks stay
// allocated and are cleared.
void EmptyCatalogue();

// Reads the regional settings, then the catalogue file from `directory`
// (ending in its path separator, or empty for the current folder). A missing
// or bad file leaves the catalogue empty: nothing of a partly read file stays.
void LoadCatalogue(const char* directory);

// Reads "TALVERIN.CNF" from `directory` into the catalogue, making the text
// blocks first; 1 when the whole file was read, 0 otherwise.
int ReadCatalogueFile(const char* directory);

// Releases the text blocks and empties the catalogue.
void FreeCatalogue();

// Makes the text blocks `target` still lacks (zero-filled); false when one
// cannot be made, leaving those made in place.
bool MakeItemTextBlocks(Catalogue& target);
// Releases the text blocks of `target` and clears its pointers.
void ReleaseItemTextBlocks(Catalogue& target);
