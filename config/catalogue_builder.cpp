#include "config/catalogue_builder.h"

#include <cstring>

#include "config/catalogue_format.h"

namespace {

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    size_t Position() const { return bytes_.size(); }
    void Raw(const void* data, size_t size) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Int16(uint16_t value) {
        bytes_.push_back(static_cast<uint8_t>(value));
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
    }
    void Int32(uint32_t value) {
        Int16(static_cast<uint16_t>(value));
        Int16(static_cast<uint16_t>(value >> 16));
    }
    void Real(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        Int32(static_cast<uint32_t>(bits));
        Int32(static_cast<uint32_t>(bits >> 32));
    }
    size_t Counted(const std::string& text) {
        const size_t at = Position();
        Int16(static_cast<uint16_t>(text.size()));
        Raw(text.data(), text.size());
        return at;
    }
    void PutInt32At(size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }

  private:
    std::vector<uint8_t>& bytes_;
};

std::string TooLong(const std::string& what, const std::string& text, size_t limit) {
    if (text.size() <= limit)
        return "";
    return what + " has " + std::to_string(text.size()) + " characters; at most " +
           std::to_string(limit) + " fit";
}

std::string ItemProblem(const CatalogueImage::Item& item, size_t index) {
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::string where =
            " of item " + std::to_string(index) + ", language " + std::to_string(language);
        std::string problem =
            TooLong("code text" + where, item.code[language].text, kItemCodeLimit);
        if (problem.empty())
            problem = TooLong("long text" + where, item.text[language].text, kItemTextLimit);
        if (!problem.empty())
            return problem;
    }
    return "";
}

void WriteHeader(const CatalogueImage& image, ByteWriter& out, CatalogueLayout& layout) {
    out.Raw(kCatalogueMagic, 4);
    out.Int16(0); // check bytes, set when sealed
    out.Int32(0); // file length, likewise
    out.Int32(static_cast<uint32_t>(image.defaultLanguage));
    layout.label = out.Counted(image.label);
    layout.currency = out.Counted(image.currency);
    layout.surcharge = out.Position();
    out.Real(image.surchargePercent);
    layout.date = out.Position();
    out.Int16(static_cast<uint16_t>(image.year));
    out.Raw(&image.day, 1);
    out.Raw(&image.month, 1);
    for (int language = 0; language < kLanguageCount; ++language)
        layout.notes[language] = out.Counted(image.notes[language]);
}

void WriteAddressesAndItems(const CatalogueImage& image, ByteWriter& out, CatalogueLayout& layout) {
    layout.addressCount = out.Position();
    out.Int32(static_cast<uint32_t>(image.addresses.size()));
    for (const CatalogueImage::Address& address : image.addresses) {
        layout.addressTitles.push_back(out.Counted(address.title));
        layout.addressLines.push_back(out.Counted(address.lines));
    }
    layout.itemCount = out.Position();
    out.Int32(static_cast<uint32_t>(image.items.size()));
    layout.prices = out.Position();
    for (const CatalogueImage::Item& item : image.items)
        out.Real(item.price);
    layout.orderLength = out.Position();
    out.Int32(static_cast<uint32_t>(image.order.size()));
    layout.order = out.Position();
    for (uint16_t index : image.order)
        out.Int16(index);
}

// Offset tables first, filled in as the texts behind them are written.
void WriteItemTexts(const CatalogueImage& image, ByteWriter& out, CatalogueLayout& layout) {
    for (int language = 0; language < kLanguageCount; ++language) {
        layout.textOffsets[language] = out.Position();
        for (size_t i = 0; i < image.items.size() * 2; ++i)
            out.Int32(0xFFFFFFFFu);
    }
    for (int language = 0; language < kLanguageCount; ++language) {
        layout.codeTexts[language].assign(image.items.size(), 0);
        layout.longTexts[language].assign(image.items.size(), 0);
        for (size_t i = 0; i < image.items.size(); ++i) {
            const size_t pair = layout.textOffsets[language] + i * kOffsetPairSize;
            const CatalogueImage::Item& item = image.items[i];
            if (item.code[language].present) {
                layout.codeTexts[language][i] = out.Counted(item.code[language].text);
                out.PutInt32At(pair, static_cast<uint32_t>(layout.codeTexts[language][i]));
            }
            if (item.text[language].present) {
                layout.longTexts[language][i] = out.Counted(item.text[language].text);
                out.PutInt32At(pair + 4, static_cast<uint32_t>(layout.longTexts[language][i]));
            }
        }
    }
}

} // namespace

std::string CatalogueImageProblem(const CatalogueImage& image) {
    if (image.defaultLanguage < 0 || image.defaultLanguage >= kLanguageCount)
        return "default language " + std::to_string(image.defaultLanguage) + " is not 0..6";
    if (image.addresses.empty() || image.addresses.size() > kMaxAddresses)
        return "there are " + std::to_string(image.addresses.size()) +
               " addresses; a catalogue has 1..30";
    if (image.items.empty() || image.items.size() > kMaxItems)
        return "there are " + std::to_string(image.items.size()) + " items; a catalogue has 1..100";
    if (image.order.size() > INT32_MAX / 2)
        return "the order list is too long";
    std::string problem = TooLong("the label", image.label, kLabelLimit);
    if (problem.empty())
        problem = TooLong("the currency", image.currency, kCurrencyLimit);
    for (int language = 0; language < kLanguageCount && problem.empty(); ++language)
        problem = TooLong("the note of language " + std::to_string(language), image.notes[language],
                          kBodyTextCapacity);
    for (size_t i = 0; i < image.addresses.size() && problem.empty(); ++i) {
        problem = TooLong("the title of address " + std::to_string(i), image.addresses[i].title,
                          kAddressTextLimit);
        if (problem.empty())
            problem = TooLong("the lines of address " + std::to_string(i), image.addresses[i].lines,
                              kBodyTextCapacity);
    }
    for (size_t i = 0; i < image.items.size() && problem.empty(); ++i)
        problem = ItemProblem(image.items[i], i);
    return problem;
}

bool BuildCatalogue(const CatalogueImage& image, std::vector<uint8_t>& bytes, std::string& problem,
                    CatalogueLayout* layout) {
    problem = CatalogueImageProblem(image);
    if (!problem.empty())
        return false;
    CatalogueLayout places;
    bytes.clear();
    ByteWriter out(bytes);
    WriteHeader(image, out, places);
    WriteAddressesAndItems(image, out, places);
    WriteItemTexts(image, out, places);
    if (bytes.size() > INT32_MAX) {
        problem = "the file would be larger than 2 GB";
        return false;
    }
    SealCatalogue(bytes);
    if (layout)
        *layout = places;
    return true;
}

void SealCatalogue(std::vector<uint8_t>& bytes) {
    ByteWriter out(bytes);
    out.PutInt32At(kFileLengthOffset, static_cast<uint32_t>(bytes.size()));
    uint8_t sum = 0, exclusive = 0;
    bytes[kSumByteOffset] = bytes[kXorByteOffset] = 0;
    for (uint8_t byte : bytes) {
        sum = static_cast<uint8_t>(sum + byte);
        exclusive ^= byte;
    }
    bytes[kSumByteOffset] = sum;
    bytes[kXorByteOffset] = exclusive;
}
