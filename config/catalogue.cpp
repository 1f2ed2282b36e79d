#include "config/catalogue.h"

#include <cstring>

#include "config/catalogue_format.h"
#include "config/catalogue_scratch.h"
#include "config/catalogue_store.h"
#include "config/regional.h"
#include "files/buffered_file.h"

Catalogue catalogue;

bool MakeItemTextBlocks(Catalogue& target) {
    for (int language = 0; language < kLanguageCount; ++language) {
        if (target.itemTexts[language])
            continue;
        TextBlock block{};
        if (!textBlockPlatform.allocate(sizeof(ItemTextRow) * kItemTextRows, block))
            return false;
        target.itemTextBlocks[language] = block;
        target.itemTexts[language] = static_cast<ItemTextRow*>(block.data);
    }
    return true;
}

void ReleaseItemTextBlocks(Catalogue& target) {
    for (int language = 0; language < kLanguageCount; ++language) {
        textBlockPlatform.release(target.itemTextBlocks[language]);
        target.itemTexts[language] = nullptr;
    }
}

namespace {

// The directory ends in its separator (or is empty): the name follows it
// directly. A path that does not fit the scratch text is not opened.
bool BuildCataloguePath(const char* directory, char* path) {
    const size_t length = std::strlen(directory);
    if (length + sizeof kCatalogueFileName > kScratchTextSize)
        return false;
    std::memcpy(path, directory, length);
    std::memcpy(path + length, kCatalogueFileName, sizeof kCatalogueFileName);
    return true;
}

} // namespace

void EmptyCatalogue() {
    EmptyCatalogue(catalogue);
}

int ReadCatalogueFile(const char* directory) {
    if (!MakeItemTextBlocks(catalogue))
        return 0;
    if (!BuildCataloguePath(directory ? directory : "", scratchText))
        return 0;
    const std::unique_ptr<File> file = OpenFileForReading(scratchText);
    if (!file)
        return 0;
    // Thousands of small reads and seeks become a handful of system reads.
    BufferedFile buffered(*file);
    return ReadCatalogueInto(buffered, catalogue, regionalSettings, nullptr) ? 1 : 0;
}

void LoadCatalogue(const char* directory) {
    ReadRegionalSettings();
    const int32_t regionalDigits = regionalSettings.currencyDigits;
    EmptyCatalogue();
    if (ReadCatalogueFile(directory))
        return;
    EmptyCatalogue();
    regionalSettings.currencyDigits = regionalDigits;
}

void FreeCatalogue() {
    ReleaseItemTextBlocks(catalogue);
    EmptyCatalogue();
}
