#include "order/amount_mask.h"

#include <cstdio>
#include <cstring>

#include "config/catalogue.h"
#include "config/regional.h"

void NumberText(char* output, double amount, int32_t count) {
    if (count >= 0)
        std::snprintf(output, kMaskedTextSize, "%ld", static_cast<long>(count));
    else
        FormatAmount(output, amount);
}

int MaskPadding(int length, int textWidth, int maskWidth, int spaceWidth) {
    int pad = 0;
    // A space measuring 0 would never stop the width test; the length limit
    // ends it then.
    while ((pad + 1) * spaceWidth + textWidth <= maskWidth && length + pad < kMaskedTextLimit)
        ++pad;
    return pad;
}

void FormatToMask(const TextWidthSource& widths, char* output, double amount, int32_t count,
                  const char* mask) {
    char number[32];
    NumberText(number, amount, count);
    const int length = static_cast<int>(std::strlen(number));
    const int pad =
        MaskPadding(length, widths.Width(number), widths.Width(mask), widths.Width(" "));
    std::memset(output, ' ', static_cast<size_t>(pad));
    // An unpadded text of 29 or more characters is returned whole; the
    // number text never reaches that length, so the buffer holds it.
    std::snprintf(output + pad, static_cast<size_t>(kMaskedTextSize - pad), "%s", number);
}

double OrderSum(const Catalogue& catalogue) {
    double sum = 0;
    for (int i = 0; i < catalogue.itemCount && i < kMaxItems; ++i) {
        if (catalogue.quantities[i] > 0 && catalogue.prices[i] > 0)
            sum = static_cast<double>(sum + static_cast<long double>(catalogue.quantities[i]) *
                                                catalogue.prices[i]);
    }
    return sum;
}

double SurchargedSum(double sum, double surchargePercent) {
    const long double hundredth = 0.01L;
    return static_cast<double>(sum + sum * surchargePercent * hundredth);
}
