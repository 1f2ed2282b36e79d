#include "config/catalogue_lines.h"

#include <cstring>

bool SplitTextLines(const char* text, char* firstLine, int lineCount, int width) {
    const int stride = width + 1;
    std::memset(firstLine, 0, static_cast<size_t>(lineCount) * static_cast<size_t>(stride));
    int line = 0;
    int length = 0;
    for (const char* cursor = text; *cursor != '\0'; ++cursor) {
        if (*cursor == '\r') {
            if (line == lineCount - 1)
                return cursor[1] == '\0' || (cursor[1] == '\n' && cursor[2] == '\0');
            ++line;
            length = 0;
            if (cursor[1] == '\n')
                ++cursor;
            continue;
        }
        // A full line may still be ended by a CR; anything else is beyond it.
        if (length == width)
            return false;
        firstLine[line * stride + length++] = *cursor;
    }
    return true;
}

void SplitCurrencyDigits(char* currency, int32_t& currencyDigits) {
    char* comma = std::strchr(currency, ',');
    if (!comma)
        return;
    int zeros = 0;
    while (zeros < 2 && comma[1 + zeros] == '0')
        ++zeros;
    *comma = '\0';
    currencyDigits = zeros;
}
