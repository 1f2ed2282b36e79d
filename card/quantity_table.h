// The measured quantities a card can record, by the ids the instrument uses:
// names and units that label the data file's columns.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Texts are single bytes in code page 437: 0xE4 is the sigma that marks the
// sum over the phases; 0xCF, 0xD0 and 0xDB prefix the copies of the base group.
struct QuantityInfo {
    int16_t id;
    char name[10]; // NUL-padded
    char unit[6];  // NUL-padded; empty for dimensionless quantities
};

constexpr int kQuantityRowCount = 1480;

// Searched by id, never indexed by position.
extern const std::array<QuantityInfo, kQuantityRowCount> QuantityTable;

struct QuantityText {
    std::string_view name; // empty for an unknown id
    std::string_view unit; // empty for an unknown id or no unit
};

// Name and unit of the first row whose id equals `id` (upper bits 0).
QuantityText FindQuantity(uint32_t id);
