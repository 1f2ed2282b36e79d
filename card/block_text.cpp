#include "card/block_text.h"

#include <cstring>

#include "card/day_time_text.h"
#include "card/decimal_text.h"
#include "card/quantity_table.h"

int FormatBlockText(char (&text)[kBlockTextSize], uint32_t blockNumber, const BlockHeader& header) {
    char date[kDayTextSize];
    char time[kTimeTextSize];
    const int dateLength = FormatDayNumber(header.dayNumber, date);
    const int timeLength = FormatSecondsOfDay(header.secondsOfDay, time);
    // "%03d;        ;%s;%s;%lu;%lu;"
    char* end = PutDecimal(text, blockNumber & 0xFFu, 3, '0');
    std::memcpy(end, ";        ;", 10);
    end += 10;
    std::memcpy(end, date, static_cast<size_t>(dateLength));
    end += dateLength;
    *end++ = ';';
    std::memcpy(end, time, static_cast<size_t>(timeLength));
    end += timeLength;
    *end++ = ';';
    end = PutDecimal(end, header.parameter, 1, ' ');
    *end++ = ';';
    end = PutDecimal(end, header.quantityCount, 1, ' ');
    *end++ = ';';
    *end = '\0';
    return static_cast<int>(end - text);
}

int FormatQuantityField(char (&text)[kQuantityFieldSize], uint32_t id) {
    const QuantityText quantity = FindQuantity(id);
    int length = 0;
    const auto put = [&](const char* part, size_t size) {
        std::memcpy(text + length, part, size);
        length += static_cast<int>(size);
    };
    if (quantity.name.empty())
        put(" ", 1);
    else
        put(quantity.name.data(), quantity.name.size());
    put(" ", 1);
    if (quantity.unit.empty())
        put(" ", 1);
    else
        put(quantity.unit.data(), quantity.unit.size());
    put(";", 1);
    return length;
}

bool FormatCountField(char (&text)[kCountFieldWidth], uint32_t value) {
    if (value > kLargestCountFieldValue)
        return false;
    char field[kCountFieldWidth + 1];
    PutDecimal(field, value, kCountFieldWidth, ' ');
    std::memcpy(text, field, kCountFieldWidth);
    return true;
}
