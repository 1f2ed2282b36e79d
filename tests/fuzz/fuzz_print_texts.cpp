// Texts the printout takes from outside: the user's short date pattern and
// the host's printed texts with their one marker. None may read or write out
// of bounds, and a filled text never holds more than its buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "config/catalogue_clock.h"
#include "print/print_date.h"
#include "print/print_text.h"

namespace {

class ByteWidths : public PrefixWidthSource {
  public:
    int PrefixWidth(const char* text, int n) const override {
        int width = 0;
        for (int i = 0; i < n; ++i)
            width += static_cast<unsigned char>(text[i]) % 17;
        return width;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const size_t outSize = data[0] % 120;
    const int cellWidth = static_cast<int8_t>(data[1]) * 4;
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
    const size_t half = input.size() / 2;
    const std::string pattern = input.substr(0, half), format = input.substr(half);

    char date[kPrintDateSize];
    const LocalDate day = {static_cast<uint16_t>(1601 + data[0] * 3),
                           static_cast<uint8_t>(data[1] % 13), 31};
    FormatDate(ParseShortDatePattern(pattern.c_str()), day, date, sizeof date);
    if (std::strlen(date) >= sizeof date)
        __builtin_trap();

    char filled[120];
    if (outSize > 0) {
        FillTextMarker(format.c_str(), pattern.c_str(), filled, outSize);
        if (std::strlen(filled) >= outSize)
            __builtin_trap();
        const TextLines lines = SplitAtLineFeed(filled);
        const ClippedText clipped = ClipText(
            ByteWidths(), filled, static_cast<int>(lines.firstLength), 10, cellWidth, data[1] % 8);
        if (clipped.length < 0 || static_cast<size_t>(clipped.length) > lines.firstLength)
            __builtin_trap();
    }
    return 0;
}
