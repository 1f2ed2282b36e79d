// The readable source of a catalogue file: UTF-8 text in sections, one for
// the catalogue, one per language, address, item, and item and language.
// tools/cnftool/README.md describes it for the people who write it.
//
//   [catalogue]             default-language, label, currency, surcharge,
//                           valid-until (year-month-day), order (indexes)
//   [language L]            note
//   [address N]             title, lines
//   [item N]                price
//   [item N language L]     code, text (a missing key: the default
//                           language's text stands in)
//
// Texts are in double quotes with the escapes \\ \" \r \n \t and \xHH (a
// raw byte); other characters must exist in Windows-1252.
#pragma once

#include <string>

#include "config/catalogue_image.h"

// Reads source text into `image`. False with `problem` set to
// "line N: what is wrong" at the first mistake.
bool ParseCatalogueSource(const std::string& text, CatalogueImage& image, std::string& problem);

// Writes `image` as source text that ParseCatalogueSource reads back to the
// same image.
std::string WriteCatalogueSource(const CatalogueImage& image);
