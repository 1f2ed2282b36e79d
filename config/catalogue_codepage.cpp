#include "config/catalogue_codepage.h"

namespace {

// Characters of bytes 0x80..0x9F; 0 marks the bytes without one.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(uint32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int ByteOfCodePoint(uint32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c)
            return 0x80 + i;
    return kNotInCodePage;
}

} // namespace

bool AppendWindows1252AsUtf8(uint8_t byte, std::string& out) {
    uint32_t c = byte;
    if (byte >= 0x80 && byte < 0xA0) {
        c = kHighControls[byte - 0x80];
        if (c == 0)
            return false;
    }
    AppendUtf8(c, out);
    return true;
}

int NextWindows1252Byte(const std::string& text, size_t& at, uint32_t& codePoint) {
    const uint8_t lead = static_cast<uint8_t>(text[at]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || at + static_cast<size_t>(length) > text.size()) {
        ++at;
        return kBadUtf8;
    }
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const uint8_t next = static_cast<uint8_t>(text[at + static_cast<size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kBadUtf8;
        }
        c = c << 6 | (next & 0x3F);
    }
    // Overlong forms and surrogates are not UTF-8.
    const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return kBadUtf8;
    }
    at += static_cast<size_t>(length);
    codePoint = c;
    return ByteOfCodePoint(c);
}
