// What a user types into the order sheet: the address field split into its
// slots and joined back, and the quantity entry. Slots never overflow, a
// split of a join gives the slots back, and a quantity in range is never
// made of an out-of-range number.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "order/orderer_text.h"

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const char* text = input.c_str();

    char slots[7][42];
    std::memset(slots, 0x55, sizeof slots);
    slots[5][0] = slots[6][0] = '\0';
    SplitAddressText(text, slots);
    for (int i = 0; i < kAddressSlots; ++i) {
        Check(std::strlen(slots[i]) <= static_cast<size_t>(kOrdererTextLimit));
        TrimOrdererSlot(slots[i]);
    }
    char joined[2000];
    JoinAddressLines(slots, joined, sizeof joined);
    char again[7][42] = {};
    SplitAddressText(joined, again);
    for (int i = 0; i < kAddressSlots; ++i)
        Check(std::strcmp(slots[i], again[i]) == 0 || slots[i][0] == '\0' ||
              static_cast<unsigned char>(slots[i][0]) <= 32);

    const long quantity = ParseQuantityText(text);
    if (QuantityInRange(quantity)) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%ld", quantity);
        Check(ParseQuantityText(shown) == quantity);
    }
    return 0;
}
