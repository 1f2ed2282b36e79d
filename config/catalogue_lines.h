// Turning the catalogue's long texts into fixed lines, and its currency text
// into a currency and a digit count.
#pragma once

#include <cstdint>

// Splits the NUL-terminated `text` into `lineCount` lines of at most `width`
// characters, stored one after the other from `firstLine` (each width + 1
// bytes, NUL-terminated; lines not reached are empty). A CR ends a line and
// a LF right after it is skipped; the CR that ends the last line stops the
// split. A line may hold exactly `width` characters; a character beyond that
// stops the split and the rest of the text is dropped. True when the whole
// text went into the lines.
bool SplitTextLines(const char* text, char* firstLine, int lineCount, int width);

// Cuts `currency` at its first ","; the "0" characters right after it (at
// most 2) become `currencyDigits`. Without a comma the digits stay as given.
void SplitCurrencyDigits(char* currency, int32_t& currencyDigits);
