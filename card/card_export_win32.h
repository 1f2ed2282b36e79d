// The export through which the host converts a memory-card image.
#pragma once

#include <cstdint>

// 0, or the result codes of card_conversion.h: -1, -4, -5.
extern "C" int32_t __stdcall ConvPCCardFun(const char* outputPath, const char* imagePath);
