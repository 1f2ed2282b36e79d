// Writing 24-bit BMP files from pixel rows as a DIB section holds them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Bytes per row of a 24-bit image: three per pixel, padded to a multiple of four.
std::size_t Bmp24Stride(int width);

// The 54 bytes of file header and info header for a bottom-up 24-bit image;
// empty when width or height is below 1.
std::vector<unsigned char> Bmp24Header(int width, int height);

// Writes the image to `path`. `rows` holds `height` rows of `stride` bytes,
// bottom row first, blue-green-red. False for a bad size, a stride shorter than
// Bmp24Stride(width), a null `rows` or a file that cannot be written.
bool WriteBmp24(const std::string& path, int width, int height, const unsigned char* rows,
                std::size_t stride);
