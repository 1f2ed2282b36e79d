#include "config/regional.h"

#include <clocale>

// Native builds take the separators from the current C locale; the locale
// has no money digit count for plain numbers, so two digits are assumed.
void ReadRegionalSettings() {
    const std::lconv* locale = std::localeconv();
    const char decimal[2] = {locale->decimal_point[0], '\0'};
    const char thousand[2] = {locale->thousands_sep[0], '\0'};
    regionalSettings = ParseRegionalSettings(decimal, thousand, "2");
}
