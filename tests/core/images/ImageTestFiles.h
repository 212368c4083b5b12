// Helpers for the picture tests: files written byte by byte, little-endian
// fields and small synthetic pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/images/RgbaImage.h"

namespace tessaly::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline std::uint32_t Get16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::string WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// 14-byte file header and 40-byte information header of a bitmap.
inline Bytes BmpHeader(std::int32_t width, std::int32_t height, int bits,
                       std::uint32_t compression = 0, std::uint32_t colorsUsed = 0,
                       std::uint32_t offBits = 54, std::uint32_t sizeImage = 0) {
    Bytes b{'B', 'M'};
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, offBits);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, compression);
    Put32(b, sizeImage);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, colorsUsed);
    Put32(b, 0);
    return b;
}

inline Bytes TgaHeader(int type, int width, int height, int bits, std::uint8_t descriptor = 0,
                       std::uint8_t idLength = 0, std::uint8_t colorMapType = 0) {
    Bytes b(18, 0);
    b[0] = idLength;
    b[1] = colorMapType;
    b[2] = static_cast<std::uint8_t>(type);
    b[12] = static_cast<std::uint8_t>(width);
    b[13] = static_cast<std::uint8_t>(width >> 8);
    b[14] = static_cast<std::uint8_t>(height);
    b[15] = static_cast<std::uint8_t>(height >> 8);
    b[16] = static_cast<std::uint8_t>(bits);
    b[17] = descriptor;
    return b;
}

// A picture whose every pixel is different: red from x, green from y.
inline RgbaImage Gradient(int width, int height) {
    RgbaImage img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
            p[2] = static_cast<std::uint8_t>((x * 7 + y * 13) & 0xFF);
            p[3] = 255;
        }
    return img;
}

}  // namespace tessaly::test
