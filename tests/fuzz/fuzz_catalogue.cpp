// The catalogue reader on any bytes. The first input byte picks whether the
// length field and check bytes are set right (so that mutations reach the
// fields behind the checks) or left as they came; the rest is the file.
//
// A load either succeeds with counts, texts and display order in bounds, or
// leaves the catalogue wholly empty. The tools' reader agrees with the
// module's, and what it reads is built, read, written as source and parsed
// back to the same fields.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_clock.h"
#include "config/catalogue_source.h"
#include "config/catalogue_store.h"
#include "files/memory_file.h"

namespace {

constexpr int32_t kRegionalDigits = 1;

LocalClockReading FixedClock() {
    LocalClockReading now{};
    now.date = {2025, 6, 15};
    return now;
}

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool Terminated(const char* text, size_t size) {
    return std::memchr(text, '\0', size) != nullptr;
}

void CheckEmpty(const Catalogue& c, const RegionalNumberSettings& regional) {
    Require(c.itemCount == 0 && c.addressCount == 0 && c.currency[0] == '\0' &&
            c.priceListLabel[0] == '\0' && c.surchargePercent == 0 && c.validUntil.year == 0);
    Require(regional.currencyDigits == kRegionalDigits);
    for (int language = 0; language < kLanguageCount; ++language)
        Require(c.noteLines[language][0][0] == '\0' && c.noteLines[language][1][0] == '\0' &&
                c.itemTexts[language][0].itemCode[0] == '\0');
    Require(c.addresses[0].title[0] == '\0' && c.displayOrder[0] == -1);
}

void CheckLoaded(const Catalogue& c, const RegionalNumberSettings& regional) {
    Require(c.itemCount >= 1 && c.itemCount <= kMaxItems);
    Require(c.addressCount >= 1 && c.addressCount <= kMaxAddresses);
    Require(c.defaultLanguage >= 0 && c.defaultLanguage < kLanguageCount);
    Require(regional.currencyDigits >= 0 && regional.currencyDigits <= 2);
    Require(Terminated(c.currency, sizeof c.currency) &&
            Terminated(c.priceListLabel, sizeof c.priceListLabel));
    for (int place = 0; place < kMaxItems; ++place)
        Require(c.displayOrder[place] >= -1 && c.displayOrder[place] < c.itemCount);
    for (int language = 0; language < kLanguageCount; ++language)
        for (int item = 0; item < c.itemCount; ++item) {
            const ItemTextRow& row = c.itemTexts[language][item];
            Require(Terminated(row.itemCode, sizeof row.itemCode) &&
                    Terminated(row.itemText, sizeof row.itemText));
        }
}

// The raw fields go through the builder and, when asked, the source format
// unchanged (the text round trip is the slow part of a run).
void CheckRoundTrip(const CatalogueImage& image, bool throughSource) {
    std::vector<uint8_t> rebuilt;
    std::string problem;
    Require(BuildCatalogue(image, rebuilt, problem));
    MemoryFile file(rebuilt.data(), rebuilt.size());
    CatalogueImage again;
    Require(ReadCatalogueImage(file, again, nullptr) && again == image);
    if (!throughSource)
        return;
    CatalogueImage parsed;
    Require(ParseCatalogueSource(WriteCatalogueSource(image), parsed, problem) && parsed == image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    std::vector<uint8_t> bytes(data + 1, data + size);
    if ((data[0] & 1) && bytes.size() >= 10)
        SealCatalogue(bytes);

    static Catalogue target{};
    static const bool blocksMade = MakeItemTextBlocks(target);
    Require(blocksMade);
    localClockSource = FixedClock;

    RegionalNumberSettings regional{'.', 0, kRegionalDigits};
    MemoryFile file(bytes.data(), bytes.size());
    CatalogueFault fault;
    const bool loaded = LoadCatalogueFrom(file, target, regional, &fault);
    if (loaded)
        CheckLoaded(target, regional);
    else
        CheckEmpty(target, regional);

    MemoryFile again(bytes.data(), bytes.size());
    CatalogueImage image;
    CatalogueFault rawFault;
    const bool read = ReadCatalogueImage(again, image, &rawFault);
    Require(read == loaded && rawFault.check == fault.check && rawFault.offset == fault.offset);
    if (read)
        CheckRoundTrip(image, (data[0] & 2) != 0);
    return 0;
}
