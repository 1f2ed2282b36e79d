#include "config/regional.h"

#include <windows.h>

void ReadRegionalSettings() {
    // Buffer sizes keep one character of each separator and up to four of the
    // digit count, as the settings are only ever that long.
    char decimal[2];
    char thousand[2];
    char currencyDigits[5];
    GetProfileStringA("intl", "sDecimal", "", decimal, sizeof decimal);
    GetProfileStringA("intl", "sThousand", "", thousand, sizeof thousand);
    GetProfileStringA("intl", "iCurrDigits", "", currencyDigits, sizeof currencyDigits);
    regionalSettings = ParseRegionalSettings(decimal, thousand, currencyDigits);
}
