// What in a well-formed catalogue the module will not show as its maintainer
// probably meant: cut lines, skipped order entries, texts empty everywhere.
#pragma once

#include <string>
#include <vector>

#include "config/catalogue_clock.h"
#include "config/catalogue_image.h"

std::vector<std::string> CatalogueWarnings(const CatalogueImage& image);

// "expired on ..." when the module, on `today`, would hide the prices; else "".
std::string ExpiryNote(const CatalogueImage& image, const LocalDate& today);
