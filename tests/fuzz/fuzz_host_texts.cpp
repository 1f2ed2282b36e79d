// Texts the module takes from outside: host page texts with their markers,
// the regional settings and setup keys. None may read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "config/catalogue.h"
#include "config/regional.h"
#include "config/setup_table.h"
#include "render/page_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const char* text = input.c_str();
    const int bufferSize = data[0] % 130;

    static Catalogue prices;
    std::strcpy(prices.currency, "EUR");
    std::strcpy(prices.priceListLabel, "Spring list");
    char out[kHostPageTextSize + 1];
    if (bufferSize > 0 && SubstituteHostText(text, prices, out, static_cast<size_t>(bufferSize)))
        if (std::strlen(out) >= static_cast<size_t>(bufferSize))
            __builtin_trap();

    const size_t third = input.size() / 3;
    const std::string decimal = input.substr(0, third), thousand = input.substr(third, third);
    const std::string digits = input.substr(2 * third);
    const RegionalNumberSettings settings =
        ParseRegionalSettings(decimal.c_str(), thousand.c_str(), digits.c_str());
    double amount = 0;
    if (input.size() >= sizeof amount)
        std::memcpy(&amount, input.data(), sizeof amount);
    char money[kAmountTextSize];
    FormatAmount(money, amount, settings);
    if (std::strlen(money) >= sizeof money)
        __builtin_trap();

    char value[64];
    LookupSetupValue(text, value, bufferSize % 64);
    return 0;
}
