// What a page text item shows: host texts with the catalogue's currency or
// label filled in, prices and address lines.
#pragma once

#include <cstddef>
#include <cstdint>

struct Catalogue;

constexpr int32_t kFirstPriceId = -100; // -1 .. -100: price at display position
constexpr int32_t kAddressTitleId = -1000;
constexpr int32_t kLastAddressLineId = -1007;
constexpr int32_t kSpecialTextId = -2000;
constexpr int kHostPageTextSize = 128;

// Fills the one "%c" (label) or "%s" (currency) marker of a host text.
// False when nothing is to be drawn: an empty text, or a marker whose
// catalogue text is empty. Any other "%" is copied as it stands; the host
// text never serves as a format. The result is cut to outSize - 1.
bool SubstituteHostText(const char* hostText, const Catalogue& catalogue, char* out,
                        size_t outSize);

// Texts of the negative ids (prices, address record 0, the special slot);
// false when the id draws nothing.
bool ResolveCatalogueText(int32_t textId, const Catalogue& catalogue, const char* specialText,
                          char* out, size_t outSize);
