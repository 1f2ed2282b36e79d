#include "config/catalogue_image.h"

#include <cmath>

#include "config/catalogue_format.h"

namespace {

bool SameReal(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool SameText(const CatalogueImage::OptionalText& a, const CatalogueImage::OptionalText& b) {
    return a.present == b.present && a.text == b.text;
}

bool SameItem(const CatalogueImage::Item& a, const CatalogueImage::Item& b) {
    if (!SameReal(a.price, b.price))
        return false;
    for (int language = 0; language < kLanguageCount; ++language)
        if (!SameText(a.code[language], b.code[language]) ||
            !SameText(a.text[language], b.text[language]))
            return false;
    return true;
}

class ImageSink : public CatalogueSink {
  public:
    explicit ImageSink(CatalogueImage& image) : image_(image) {}

    void DefaultLanguage(int32_t language) override { image_.defaultLanguage = language; }
    void Label(const char* text, size_t length) override { image_.label.assign(text, length); }
    void Currency(const char* text, size_t length) override {
        image_.currency.assign(text, length);
    }
    void Surcharge(double percent) override { image_.surchargePercent = percent; }
    void ValidUntil(int16_t year, uint8_t day, uint8_t month) override {
        image_.year = year;
        image_.day = day;
        image_.month = month;
    }
    void Note(int language, const char* text, size_t length) override {
        image_.notes[language].assign(text, length);
    }
    void AddressCount(int32_t count) override {
        image_.addresses.assign(static_cast<size_t>(count), {});
    }
    void Address(int index, const char* title, size_t titleLength, const char* body,
                 size_t bodyLength) override {
        image_.addresses[static_cast<size_t>(index)] = {std::string(title, titleLength),
                                                        std::string(body, bodyLength)};
    }
    void ItemCount(int32_t count) override { image_.items.assign(static_cast<size_t>(count), {}); }
    void Price(int item, double price) override {
        image_.items[static_cast<size_t>(item)].price = price;
    }
    void OrderEntry(int32_t /*place*/, uint16_t itemIndex) override {
        image_.order.push_back(itemIndex);
    }
    void ItemText(int language, int item, ItemTextKind kind, const char* text,
                  size_t length) override {
        CatalogueImage::Item& entry = image_.items[static_cast<size_t>(item)];
        CatalogueImage::OptionalText& slot =
            kind == ItemTextKind::Code ? entry.code[language] : entry.text[language];
        slot.present = text != nullptr;
        slot.text = text ? std::string(text, length) : std::string();
    }

  private:
    CatalogueImage& image_;
};

} // namespace

bool operator==(const CatalogueImage& a, const CatalogueImage& b) {
    if (a.defaultLanguage != b.defaultLanguage || a.label != b.label || a.currency != b.currency ||
        !SameReal(a.surchargePercent, b.surchargePercent) || a.year != b.year ||
        a.month != b.month || a.day != b.day || a.order != b.order ||
        a.addresses.size() != b.addresses.size() || a.items.size() != b.items.size())
        return false;
    for (int language = 0; language < kLanguageCount; ++language)
        if (a.notes[language] != b.notes[language])
            return false;
    for (size_t i = 0; i < a.addresses.size(); ++i)
        if (a.addresses[i].title != b.addresses[i].title ||
            a.addresses[i].lines != b.addresses[i].lines)
            return false;
    for (size_t i = 0; i < a.items.size(); ++i)
        if (!SameItem(a.items[i], b.items[i]))
            return false;
    return true;
}

bool ReadCatalogueImage(File& file, CatalogueImage& image, CatalogueFault* fault) {
    image = CatalogueImage{};
    ImageSink sink(image);
    char scratch[kScratchTextSize];
    return WalkCatalogue(file, sink, scratch, fault);
}
