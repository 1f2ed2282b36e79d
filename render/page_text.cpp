#include "render/page_text.h"

#include <cstring>

#include "config/catalogue.h"
#include "config/regional.h"

namespace {

// Bounded copy that always terminates.
void CopyText(char* out, size_t outSize, const char* text, size_t length) {
    if (outSize == 0)
        return;
    if (length >= outSize)
        length = outSize - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

void AppendText(char* out, size_t outSize, const char* text, size_t length) {
    const size_t used = std::strlen(out);
    CopyText(out + used, outSize - used, text, length);
}

// Appends text[0..length) as a formatted text would show it: "%%" is one "%".
void AppendFormatted(char* out, size_t outSize, const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        AppendText(out, outSize, text + i, 1);
        if (text[i] == '%' && i + 1 < length && text[i + 1] == '%')
            ++i;
    }
}

// Replaces the marker at `marker` (two characters) by `value`.
void ReplaceMarker(const char* text, const char* marker, const char* value, char* out,
                   size_t outSize) {
    CopyText(out, outSize, "", 0);
    AppendFormatted(out, outSize, text, static_cast<size_t>(marker - text));
    AppendText(out, outSize, value, std::strlen(value));
    AppendFormatted(out, outSize, marker + 2, std::strlen(marker + 2));
}

bool PriceText(int32_t textId, const Catalogue& catalogue, char* out, size_t outSize) {
    if (catalogue.currency[0] == '\0' || !PricesValid(catalogue))
        return false;
    const int32_t item = catalogue.displayOrder[-textId - 1];
    if (item < 0 || item >= catalogue.itemCount)
        return false;
    char amount[kAmountTextSize];
    FormatAmount(amount, catalogue.prices[item]);
    CopyText(out, outSize, amount, std::strlen(amount));
    return true;
}

} // namespace

bool SubstituteHostText(const char* hostText, const Catalogue& catalogue, char* out,
                        size_t outSize) {
    if (hostText[0] == '\0')
        return false;
    // "%c" stands for the label and wins over a "%s" elsewhere in the text.
    if (const char* marker = std::strstr(hostText, "%c")) {
        if (catalogue.priceListLabel[0] == '\0')
            return false;
        ReplaceMarker(hostText, marker, catalogue.priceListLabel, out, outSize);
        return true;
    }
    if (const char* marker = std::strstr(hostText, "%s")) {
        if (catalogue.currency[0] == '\0')
            return false;
        ReplaceMarker(hostText, marker, catalogue.currency, out, outSize);
        return true;
    }
    CopyText(out, outSize, hostText, std::strlen(hostText));
    return true;
}

bool ResolveCatalogueText(int32_t textId, const Catalogue& catalogue, const char* specialText,
                          char* out, size_t outSize) {
    if (textId >= kFirstPriceId && textId <= -1)
        return PriceText(textId, catalogue, out, outSize);
    const AddressRecord& address = catalogue.addresses[0];
    if (textId == kAddressTitleId) {
        CopyText(out, outSize, address.title, std::strlen(address.title));
        return true;
    }
    if (textId <= kAddressTitleId - 1 && textId >= kLastAddressLineId) {
        const char* line = address.lines[kAddressTitleId - textId - 1];
        CopyText(out, outSize, line, std::strlen(line));
        return true;
    }
    if (textId == kSpecialTextId && specialText && specialText[0] != '\0') {
        CopyText(out, outSize, specialText, std::strlen(specialText));
        return true;
    }
    return false;
}
