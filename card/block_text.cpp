#include "card/block_text.h"

#include <cstring>

#include "card/day_time_text.h"
#include "card/decimal_text.h"
#include "card/quantity_table.h"

namespace {

// "DD.MM.YYYY;HH:MM:SS"; returns the position behind it.
char* PutDayTime(char* out, const BlockHeader& header) {
    char date[kDayTextSize];
    char time[kTimeTextSize];
    const int dateLength = FormatDayNumber(header.dayNumber, date);
    const int timeLength = FormatSecondsOfDay(header.secondsOfDay, time);
    std::memcpy(out, date, static_cast<size_t>(dateLength));
    out += dateLength;
    *out++ = ';';
    std::memcpy(out, time, static_cast<size_t>(timeLength));
    return out + timeLength;
}

// "%03d;        ;" + dayTime + ";%lu;%lu;"
int PutBlockText(char* text, uint32_t blockNumber, const BlockHeader& header, const char* dayTime,
                 int dayTimeLength) {
    PutBlockNumber(text, blockNumber & 0xFFu);
    std::memcpy(text + 3, ";        ;", 10);
    char* end = text + 13;
    std::memcpy(end, dayTime, static_cast<size_t>(dayTimeLength));
    end += dayTimeLength;
    *end++ = ';';
    end = PutDecimal(end, header.parameter, 1, ' ');
    *end++ = ';';
    end = PutDecimal(end, header.quantityCount, 1, ' ');
    *end++ = ';';
    *end = '\0';
    return static_cast<int>(end - text);
}

} // namespace

int FormatBlockText(char (&text)[kBlockTextSize], uint32_t blockNumber, const BlockHeader& header) {
    char dayTime[32];
    const int length = static_cast<int>(PutDayTime(dayTime, header) - dayTime);
    return PutBlockText(text, blockNumber, header, dayTime, length);
}

int BlockTextMemo::BlockText(char* text, uint32_t blockNumber, const BlockHeader& header) {
    if (!hasDayTime_ || header.dayNumber != dayNumber_ || header.secondsOfDay != secondsOfDay_) {
        dayTimeLength_ = static_cast<int>(PutDayTime(dayTime_, header) - dayTime_);
        dayNumber_ = header.dayNumber;
        secondsOfDay_ = header.secondsOfDay;
        hasDayTime_ = true;
    }
    return PutBlockText(text, blockNumber, header, dayTime_, dayTimeLength_);
}

int BlockTextMemo::QuantityField(char* text, uint32_t id) {
    Quantity& slot = quantities_[id % kQuantitySlots];
    if (slot.length == 0 || slot.id != id) {
        slot.length = FormatQuantityField(slot.text, id);
        slot.id = id;
    }
    std::memcpy(text, slot.text, kQuantityFieldSize);
    return slot.length;
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

// Two digits a step, straight into the field: two fields per block.
bool FormatCountField(char* text, uint32_t value) {
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    if (value > kLargestCountFieldValue)
        return false;
    // All eight places as digits, two at a time; then the leading zeros but
    // the last become spaces.
    const uint32_t high = value / 10000;
    const uint32_t low = value % 10000;
    std::memcpy(text, kPairs + 2 * (high / 100), 2);
    std::memcpy(text + 2, kPairs + 2 * (high % 100), 2);
    std::memcpy(text + 4, kPairs + 2 * (low / 100), 2);
    std::memcpy(text + 6, kPairs + 2 * (low % 100), 2);
    for (int place = 0; place < kCountFieldWidth - 1 && text[place] == '0'; ++place)
        text[place] = ' ';
    return true;
}
