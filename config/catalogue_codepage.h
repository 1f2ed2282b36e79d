// Catalogue texts are Windows-1252 bytes; source files are UTF-8.
#pragma once

#include <cstdint>
#include <string>

// Appends the character of a Windows-1252 byte as UTF-8; false (nothing
// appended) for the five bytes that have no character there.
bool AppendWindows1252AsUtf8(uint8_t byte, std::string& out);

// Decodes the UTF-8 character at text[at], moving `at` past it. Its
// Windows-1252 byte; kNotInCodePage when the character has none, or
// kBadUtf8 when the bytes are not UTF-8 (then `at` moves one byte).
constexpr int kNotInCodePage = -1;
constexpr int kBadUtf8 = -2;
int NextWindows1252Byte(const std::string& text, size_t& at, uint32_t& codePoint);
