// Padding a number text to the width of a digit mask, measured by the caller.
#pragma once

#include <cstdint>

struct Catalogue;

constexpr int kMaskedTextSize = 30;
constexpr int kMaskedTextLimit = 29;

constexpr const char* kQuantityMask = "88888";
constexpr const char* kPriceMask = "888.888,00";
constexpr const char* kEnteredLineMask = "8.888.888,00";
constexpr const char* kTotalMask = "888.888.888,00";

// Pixel widths of texts on whatever will draw them.
class TextWidthSource {
  public:
    virtual ~TextWidthSource() = default;
    virtual int Width(const char* text) const = 0;
};

// The count in plain digits when it is 0 or more, else the amount as money.
void NumberText(char* output, double amount, int32_t count);

// Spaces to put before a text of `length` characters and `textWidth` pixels.
int MaskPadding(int length, int textWidth, int maskWidth, int spaceWidth);

// Writes the padded text into `output` (kMaskedTextSize bytes at least).
void FormatToMask(const TextWidthSource& widths, char* output, double amount, int32_t count,
                  const char* mask);

// Sum of quantity x price over the items with both above 0.
double OrderSum(const Catalogue& catalogue);
// The sum raised by the catalogue's surcharge percentage.
double SurchargedSum(double sum, double surchargePercent);
