// Quantity names are code page 437 bytes; terminals and spreadsheets want UTF-8.
#pragma once

#include <string>

std::string Cp437ToUtf8(const std::string& text);
