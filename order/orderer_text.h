// The orderer's address as one edit text and as the session's five slots,
// and the other texts the order sheet reads back from its fields.
#pragma once

#include <cstddef>

constexpr int kAddressSlots = 5;
constexpr int kOrdererTextLimit = 40;

// Drops trailing blanks and control characters (bytes 1..32) in place.
void TrimOrdererSlot(char* slot);

// Lines 0..n joined with CR LF, n the last non-empty of lines 1..4; cut to
// outSize - 1.
void JoinAddressLines(const char (*lines)[42], char* out, size_t outSize);

// Splits an edit text into slots 0..4: each slot takes the first 40
// visible characters of a line; blanks and line breaks between lines are
// passed over, so empty lines vanish; a sixth line is dropped.
void SplitAddressText(const char* text, char (*lines)[42]);

// Reads a typed quantity: blanks, an optional sign, decimal digits up to the
// first other character; no digits give 0. Saturates far outside 0..10000
// instead of overflowing.
long ParseQuantityText(const char* text);

constexpr long kMaxQuantity = 10000;
inline bool QuantityInRange(long quantity) {
    return quantity >= 0 && quantity <= kMaxQuantity;
}

// "<percentage> %" in the general number format with "." as the point.
void SurchargeText(double percent, char* out, size_t outSize);
