// Writing a catalogue file from its fields: the maintainers' tool, the tests
// and the benchmark make their files with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/catalogue_image.h"

// Where the builder put each field, for tests that change one of them.
struct CatalogueLayout {
    size_t label = 0, currency = 0, surcharge = 0, date = 0;
    size_t notes[kLanguageCount] = {};
    size_t addressCount = 0;
    std::vector<size_t> addressTitles, addressLines;
    size_t itemCount = 0, prices = 0, orderLength = 0, order = 0;
    size_t textOffsets[kLanguageCount] = {}; // each language's table of offset pairs
    // Offsets of the counted strings, per language and item; 0 where absent.
    std::vector<size_t> codeTexts[kLanguageCount], longTexts[kLanguageCount];
};

// The first way in which `image` cannot be written as a catalogue file (a
// count, language or text length beyond its limit), or "" when it can.
std::string CatalogueImageProblem(const CatalogueImage& image);

// Writes the file: header, notes, addresses, prices, order list, offset
// tables, then every present item text once, languages in turn. False with
// `problem` set when the image cannot be written.
bool BuildCatalogue(const CatalogueImage& image, std::vector<uint8_t>& bytes, std::string& problem,
                    CatalogueLayout* layout = nullptr);

// Sets the length field and both check bytes for the bytes as they stand
// (at least 10 of them).
void SealCatalogue(std::vector<uint8_t>& bytes);
