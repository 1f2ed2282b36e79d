#include "catalogue_warnings.h"

#include <cstdio>
#include <cstring>

#include "config/catalogue_lines.h"
#include "config/catalogue_store.h"

namespace {

std::string DateText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

// Runs the module's own line split over the text.
void CheckLines(const std::string& what, const std::string& text, int lineCount, int width,
                std::vector<std::string>& warnings) {
    if (text.find('\0') != std::string::npos)
        warnings.push_back(what + " holds a NUL byte; the module ignores what follows it");
    std::vector<char> lines(static_cast<size_t>(lineCount) * static_cast<size_t>(width + 1));
    if (!SplitTextLines(text.c_str(), lines.data(), lineCount, width))
        warnings.push_back(what + " does not fit " + std::to_string(lineCount) + " lines of " +
                           std::to_string(width) + " characters; the module drops the rest");
}

void CheckDate(const CatalogueImage& image, std::vector<std::string>& warnings) {
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (image.year <= 0 || image.month < 1 || image.month > 12 || image.day < 1 ||
        image.day > kDays[image.month - 1])
        warnings.push_back("valid-until " + DateText(image.year, image.month, image.day) +
                           " is not a calendar date");
}

void CheckOrder(const CatalogueImage& image, std::vector<std::string>& warnings) {
    for (size_t place = 0; place < image.order.size(); ++place) {
        const uint16_t index = image.order[place];
        if (index >= image.items.size())
            warnings.push_back("order place " + std::to_string(place + 1) + " names item " +
                               std::to_string(index) + ", which does not exist; it is skipped");
        else if (place + 1 >= kMaxItems)
            warnings.push_back("order place " + std::to_string(place + 1) + " (item " +
                               std::to_string(index) +
                               ") lies beyond place 99; pages do not show it");
    }
}

void CheckItemTexts(const CatalogueImage& image, std::vector<std::string>& warnings) {
    const int fallback = image.defaultLanguage;
    for (size_t i = 0; i < image.items.size(); ++i) {
        const CatalogueImage::Item& item = image.items[i];
        if (!item.code[fallback].present)
            warnings.push_back("item " + std::to_string(i) +
                               " has no code in the default language; languages without "
                               "their own show none");
        if (!item.text[fallback].present)
            warnings.push_back("item " + std::to_string(i) +
                               " has no text in the default language; languages without "
                               "their own show none");
    }
}

} // namespace

std::vector<std::string> CatalogueWarnings(const CatalogueImage& image) {
    std::vector<std::string> warnings;
    CheckDate(image, warnings);
    const size_t comma = image.currency.find(',');
    if (comma != std::string::npos &&
        image.currency.find_first_not_of('0', comma + 1) != std::string::npos)
        warnings.push_back("currency \"" + image.currency +
                           "\": after the comma only \"0\" characters set the digits");
    for (int language = 0; language < kLanguageCount; ++language)
        CheckLines("note of language " + std::to_string(language), image.notes[language],
                   kNoteLines, kNoteLineLimit, warnings);
    for (size_t i = 0; i < image.addresses.size(); ++i)
        CheckLines("lines of address " + std::to_string(i), image.addresses[i].lines, kAddressLines,
                   kAddressTextLimit, warnings);
    CheckOrder(image, warnings);
    CheckItemTexts(image, warnings);
    return warnings;
}

std::string ExpiryNote(const CatalogueImage& image, const LocalDate& today) {
    if (CatalogueDateLiesAfter(CatalogueDate{image.year, image.day, image.month}, today))
        return "";
    return "the price list expired on " + DateText(image.year, image.month, image.day) +
           " (today is " + DateText(today.year, today.month, today.day) +
           "): the module shows no prices";
}
