#include "config/catalogue_store.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "config/catalogue_clock.h"
#include "config/catalogue_lines.h"
#include "config/catalogue_scratch.h"

namespace {

void CopyField(char* out, size_t capacity, const char* text, size_t length) {
    const size_t n = std::min(length, capacity);
    std::memcpy(out, text, n);
    out[n] = '\0';
}

class CatalogueStore : public CatalogueSink {
  public:
    CatalogueStore(Catalogue& target, RegionalNumberSettings& regional)
        : c_(target), regional_(regional) {}

    void DefaultLanguage(int32_t language) override { c_.defaultLanguage = language; }
    void Label(const char* text, size_t length) override {
        CopyField(c_.priceListLabel, kLabelLimit, text, length);
    }
    void Currency(const char* text, size_t length) override {
        CopyField(c_.currency, kCurrencyLimit, text, length);
        SplitCurrencyDigits(c_.currency, regional_.currencyDigits);
    }
    void Surcharge(double percent) override { c_.surchargePercent = percent; }

    void ValidUntil(int16_t year, uint8_t day, uint8_t month) override {
        c_.validUntil = CatalogueDate{year, day, month};
        LocalDate today{};
        ReadLocalClock(nullptr, &today);
        if (!CatalogueDateLiesAfter(c_.validUntil, today))
            c_.validUntil.year = 0;
    }

    void Note(int language, const char* text, size_t /*length*/) override {
        SplitTextLines(text, c_.noteLines[language][0], kNoteLines, kNoteLineLimit);
    }

    // A language without any note line shows the default language's lines.
    void NotesDone() override {
        const auto& fallback = c_.noteLines[c_.defaultLanguage];
        for (int language = 0; language < kLanguageCount; ++language) {
            auto& lines = c_.noteLines[language];
            if (language != c_.defaultLanguage && lines[0][0] == '\0' && lines[1][0] == '\0')
                std::memcpy(lines, fallback, sizeof c_.noteLines[language]);
        }
    }

    void AddressCount(int32_t count) override { c_.addressCount = count; }
    void Address(int index, const char* title, size_t titleLength, const char* body,
                 size_t /*bodyLength*/) override {
        AddressRecord& address = c_.addresses[index];
        CopyField(address.title, kAddressTextLimit, title, titleLength);
        SplitTextLines(body, address.lines[0], kAddressLines, kAddressTextLimit);
    }

    void ItemCount(int32_t count) override { c_.itemCount = count; }
    void Price(int item, double price) override {
        c_.prices[item] = price;
        c_.orderRank[item] = 0;
    }

    // An item named twice keeps its later place; unknown indexes are skipped.
    void OrderEntry(int32_t place, uint16_t itemIndex) override {
        if (itemIndex < c_.itemCount)
            c_.orderRank[itemIndex] = place + 1;
    }

    // Places 1..99 are shown; a place of 100 or more has no display position.
    void OrderDone() override {
        std::fill(std::begin(c_.displayOrder), std::end(c_.displayOrder), -1);
        for (int item = 0; item < c_.itemCount; ++item) {
            const int32_t rank = c_.orderRank[item];
            if (rank >= 1 && rank <= kMaxItems - 1)
                c_.displayOrder[rank - 1] = item;
        }
    }

    void ItemText(int language, int item, ItemTextKind kind, const char* text,
                  size_t length) override {
        const bool code = kind == ItemTextKind::Code;
        (code ? codeMissing_ : textMissing_)[language][item] = text == nullptr;
        if (!text || !c_.itemTexts[language])
            return;
        ItemTextRow& row = c_.itemTexts[language][item];
        if (code)
            CopyField(row.itemCode, kItemCodeLimit, text, length);
        else
            CopyField(row.itemText, kItemTextLimit, text, length);
    }

    // Runs after every language is read, so each can borrow from the default.
    void TextsDone() override {
        const ItemTextRow* fallback = c_.itemTexts[c_.defaultLanguage];
        if (!fallback)
            return;
        for (int language = 0; language < kLanguageCount; ++language) {
            ItemTextRow* rows = c_.itemTexts[language];
            if (language == c_.defaultLanguage || !rows)
                continue;
            for (int item = 0; item < c_.itemCount; ++item) {
                if (codeMissing_[language][item])
                    std::memcpy(rows[item].itemCode, fallback[item].itemCode,
                                sizeof rows[item].itemCode);
                if (textMissing_[language][item])
                    std::memcpy(rows[item].itemText, fallback[item].itemText,
                                sizeof rows[item].itemText);
            }
        }
    }

  private:
    Catalogue& c_;
    RegionalNumberSettings& regional_;
    bool codeMissing_[kLanguageCount][kMaxItems] = {};
    bool textMissing_[kLanguageCount][kMaxItems] = {};
};

} // namespace

bool ReadCatalogueInto(File& file, Catalogue& target, RegionalNumberSettings& regional,
                       CatalogueFault* fault) {
    CatalogueStore store(target, regional);
    return WalkCatalogue(file, store, scratchText, fault);
}

bool LoadCatalogueFrom(File& file, Catalogue& target, RegionalNumberSettings& regional,
                       CatalogueFault* fault) {
    const int32_t regionalDigits = regional.currencyDigits;
    EmptyCatalogue(target);
    if (ReadCatalogueInto(file, target, regional, fault))
        return true;
    EmptyCatalogue(target);
    regional.currencyDigits = regionalDigits;
    return false;
}

bool CatalogueDateLiesAfter(const CatalogueDate& stored, const LocalDate& today) {
    if (stored.year != today.year)
        return stored.year > today.year;
    if (stored.month != today.month)
        return stored.month > today.month;
    return stored.day > today.day;
}

void EmptyCatalogue(Catalogue& target) {
    ItemTextRow* rows[kLanguageCount];
    TextBlock blocks[kLanguageCount];
    std::copy(std::begin(target.itemTexts), std::end(target.itemTexts), rows);
    std::copy(std::begin(target.itemTextBlocks), std::end(target.itemTextBlocks), blocks);
    int32_t quantities[kMaxItems];
    std::copy(std::begin(target.quantities), std::end(target.quantities), quantities);
    target = Catalogue{};
    std::copy(std::begin(quantities), std::end(quantities), target.quantities);
    std::fill(std::begin(target.displayOrder), std::end(target.displayOrder), -1);
    for (int language = 0; language < kLanguageCount; ++language) {
        target.itemTexts[language] = rows[language];
        target.itemTextBlocks[language] = blocks[language];
        if (rows[language])
            std::memset(rows[language], 0, sizeof(ItemTextRow) * kItemTextRows);
    }
}
