// A catalogue file's fields as the file holds them, before any of the
// module's interpretation: whole note and address texts, the currency with
// its digits suffix, the date as stored, texts that are absent (negative
// offset) told apart from empty ones. The tools build files from it and dump
// files into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_reader.h"

struct CatalogueImage {
    struct OptionalText {
        bool present = false; // false: the default language's text stands in
        std::string text;
    };
    struct Address {
        std::string title;
        std::string lines; // lines separated by CR LF
    };
    struct Item {
        double price = 0;
        OptionalText code[kLanguageCount];
        OptionalText text[kLanguageCount];
    };

    int32_t defaultLanguage = 0;
    std::string label;
    std::string currency; // may end in ",", ",0" or ",00"
    double surchargePercent = 0;
    int16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    std::string notes[kLanguageCount]; // two lines separated by CR LF
    std::vector<Address> addresses;
    std::vector<Item> items;
    std::vector<uint16_t> order; // item indexes, first shown first
};

// Equal field by field; two NaN prices count as equal whatever their bits.
bool operator==(const CatalogueImage& a, const CatalogueImage& b);
inline bool operator!=(const CatalogueImage& a, const CatalogueImage& b) {
    return !(a == b);
}

// Reads every field of the file into `image` through the module's checks;
// false with `fault` filled when a check fails.
bool ReadCatalogueImage(File& file, CatalogueImage& image, CatalogueFault* fault);
