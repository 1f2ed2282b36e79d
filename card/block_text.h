// The text parts of a measurement data file: each block's text header, the
// quantity fields that label its data columns and its two 8-place fields.
#pragma once

#include <cstdint>

// The four header words of a card block, in host byte order.
struct BlockHeader {
    uint32_t dayNumber;
    uint32_t secondsOfDay;
    uint32_t parameter;
    uint32_t quantityCount; // K: quantities per data row
};

// The end offset and row count have eight places each; a file of 100,000,000
// bytes or more could not say where its blocks end.
constexpr int kCountFieldWidth = 8;
constexpr uint32_t kLargestCountFieldValue = 99'999'999;
// Where the end-offset field stands in a block's text.
constexpr uint32_t kEndOffsetFieldOffset = 4;

// Long enough for the widest header: 4 + 9 + 15 + 14 + 11 + 11 characters.
constexpr int kBlockTextSize = 72;
// Name (up to 10 bytes), space, unit (up to 6 bytes), ";".
constexpr int kQuantityFieldSize = 20;
// Eight spaces, ";" and the NUL that ends the text part.
constexpr char kRowCountPlaceholder[] = "        ;";
constexpr uint32_t kRowCountPlaceholderSize = 10;

// "%03d;", eight spaces and ";", date, ";", time, ";", parameter ";", K ";".
// Returns the length.
int FormatBlockText(char (&text)[kBlockTextSize], uint32_t blockNumber, const BlockHeader& header);

// The name or one space, one space, the unit or one space, ";": an unknown id
// gives three spaces and ";", a quantity without a unit "PF1  ;". Returns the
// length.
int FormatQuantityField(char (&text)[kQuantityFieldSize], uint32_t id);

// `value` right-aligned in eight places; false (and nothing written) when it
// needs more than eight digits.
bool FormatCountField(char* text, uint32_t value);

// The texts made last, kept for cards whose blocks repeat their start day
// and time and their quantity lists, as most do: a small block's text is then
// put together from copies. The texts are those of the functions above.
class BlockTextMemo {
  public:
    // Write into room for kBlockTextSize and kQuantityFieldSize bytes.
    int BlockText(char* text, uint32_t blockNumber, const BlockHeader& header);
    int QuantityField(char* text, uint32_t id);

  private:
    static constexpr uint32_t kQuantitySlots = 64; // ids kept, one per slot by id

    struct Quantity {
        uint32_t id;
        int length; // 0 while the slot is empty
        char text[kQuantityFieldSize];
    };

    bool hasDayTime_ = false;
    uint32_t dayNumber_ = 0;
    uint32_t secondsOfDay_ = 0;
    int dayTimeLength_ = 0;
    char dayTime_[32] = {}; // "DD.MM.YYYY;HH:MM:SS"
    Quantity quantities_[kQuantitySlots] = {};
};
