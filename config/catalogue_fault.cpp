// Fault texts for people; only the tools and tests use them.
#include <cinttypes>
#include <cstdio>

#include "config/catalogue_reader.h"

namespace {

const char* CheckName(CatalogueCheck check) {
    switch (check) {
    case CatalogueCheck::None:
        return "no fault";
    case CatalogueCheck::NoMemory:
        return "no memory for the item texts";
    case CatalogueCheck::CannotOpen:
        return "file cannot be opened";
    case CatalogueCheck::Read:
        return "file ends early";
    case CatalogueCheck::Magic:
        return "not a catalogue file";
    case CatalogueCheck::FileLength:
        return "length field differs from the file size";
    case CatalogueCheck::SumByte:
    case CatalogueCheck::XorByte:
        return "check byte differs";
    case CatalogueCheck::DefaultLanguage:
        return "default language out of range";
    case CatalogueCheck::StringLength:
        return "counted string longer than its capacity";
    case CatalogueCheck::AddressCount:
        return "address count out of range";
    case CatalogueCheck::ItemCount:
        return "item count out of range";
    case CatalogueCheck::OrderLength:
        return "order length negative";
    }
    return "unknown fault";
}

// The four magic bytes as text, unprintable ones as \xHH.
void MagicText(int64_t value, char* out, size_t size) {
    size_t used = 0;
    for (int i = 0; i < 4 && used + 5 < size; ++i) {
        const unsigned c = static_cast<unsigned>(value >> (8 * i)) & 0xFF;
        used += static_cast<size_t>(c >= 32 && c < 127 && c != '"' && c != '\\'
                                        ? std::snprintf(out + used, size - used, "%c", c)
                                        : std::snprintf(out + used, size - used, "\\x%02X", c));
    }
}

void Values(const CatalogueFault& f, char* out, size_t size) {
    switch (f.check) {
    case CatalogueCheck::Magic: {
        char expected[20], found[20];
        MagicText(f.expectedLow, expected, sizeof expected);
        MagicText(f.found, found, sizeof found);
        std::snprintf(out, size, "expected \"%s\", found \"%s\"", expected, found);
        return;
    }
    case CatalogueCheck::Read:
        if (f.found < 0)
            std::snprintf(out, size, "the read or seek failed");
        else
            std::snprintf(out, size, "expected %" PRId64 " bytes, found %" PRId64, f.expectedLow,
                          f.found);
        return;
    case CatalogueCheck::SumByte:
    case CatalogueCheck::XorByte:
        std::snprintf(out, size,
                      "expected 0x%02" PRIX64 " (computed from the file), found 0x%02" PRIX64,
                      f.expectedLow, f.found);
        return;
    case CatalogueCheck::FileLength:
        std::snprintf(out, size, "expected %" PRId64 " (the file size), found %" PRId64,
                      f.expectedLow, f.found);
        return;
    case CatalogueCheck::OrderLength:
        std::snprintf(out, size, "expected 0 or more, found %" PRId64, f.found);
        return;
    default:
        std::snprintf(out, size, "expected %" PRId64 "..%" PRId64 ", found %" PRId64, f.expectedLow,
                      f.expectedHigh, f.found);
        return;
    }
}

} // namespace

void DescribeCatalogueFault(const CatalogueFault& fault, char* out, size_t outSize) {
    if (outSize == 0)
        return;
    if (fault.check == CatalogueCheck::None || fault.check == CatalogueCheck::NoMemory ||
        fault.check == CatalogueCheck::CannotOpen) {
        std::snprintf(out, outSize, "%s", CheckName(fault.check));
        return;
    }
    char values[96];
    Values(fault, values, sizeof values);
    std::snprintf(out, outSize, "offset %" PRId64 " (%s): %s: %s", fault.offset, fault.field,
                  CheckName(fault.check), values);
}
