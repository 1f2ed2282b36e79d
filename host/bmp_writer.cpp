#include "host/bmp_writer.h"

#include <cstdio>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void PutLittleEndian(std::vector<unsigned char>& out, std::size_t offset, unsigned long value,
                     int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[offset + i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

std::size_t Bmp24Stride(int width) {
    if (width < 1) {
        return 0;
    }
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<unsigned char> Bmp24Header(int width, int height) {
    if (width < 1 || height < 1) {
        return {};
    }
    std::vector<unsigned char> header(kFileHeaderSize + kInfoHeaderSize, 0);
    const unsigned long imageSize = static_cast<unsigned long>(Bmp24Stride(width) * height);
    header[0] = 'B';
    header[1] = 'M';
    PutLittleEndian(header, 2, header.size() + imageSize, 4);
    PutLittleEndian(header, 10, header.size(), 4); // offset of the pixels
    PutLittleEndian(header, 14, kInfoHeaderSize, 4);
    PutLittleEndian(header, 18, static_cast<unsigned long>(width), 4);
    PutLittleEndian(header, 22, static_cast<unsigned long>(height), 4); // positive: bottom-up
    PutLittleEndian(header, 26, 1, 2);                                  // planes
    PutLittleEndian(header, 28, 24, 2);                                 // bits per pixel
    PutLittleEndian(header, 34, imageSize, 4);
    PutLittleEndian(header, 38, 2835, 4); // 72 dpi, in pixels per metre
    PutLittleEndian(header, 42, 2835, 4);
    return header;
}

bool WriteBmp24(const std::string& path, int width, int height, const unsigned char* rows,
                std::size_t stride) {
    std::vector<unsigned char> header = Bmp24Header(width, height);
    const std::size_t rowBytes = Bmp24Stride(width);
    if (header.empty() || rows == nullptr || stride < rowBytes) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    for (int row = 0; ok && row < height; ++row) {
        ok = std::fwrite(rows + row * stride, 1, rowBytes, file) == rowBytes;
    }
    return std::fclose(file) == 0 && ok;
}
