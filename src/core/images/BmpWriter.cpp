#include "core/images/BmpWriter.h"

#include <cstdint>
#include <vector>

namespace tessaly {

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

void WriteBmp(const RgbaImage& image, int bitsPerPixel, std::ostream& out) {
    const int bits = (bitsPerPixel == 16 || bitsPerPixel == 24) ? bitsPerPixel : 32;
    const std::int64_t width = image.width < 0 ? 0 : image.width;
    const std::int64_t height = image.height < 0 ? 0 : image.height;
    if (image.pixels.size() != static_cast<std::size_t>(width * height * 4))
        throw BmpWriteError("Picture data do not match its size");

    const std::int64_t bytesPerPixel = bits / 8;
    const std::int64_t stride = (width * bytesPerPixel + 3) & ~std::int64_t{3};
    const std::int64_t imageSize = stride * height;
    const std::uint32_t headerSize = 14 + 40 + (bits == 16 ? 12 : 0);
    const std::int64_t fileSize = headerSize + imageSize;
    if (fileSize > 0xFFFFFFFFll) throw BmpWriteError("Picture too large for a bitmap file");

    std::vector<std::uint8_t> header;
    header.reserve(headerSize);
    header.push_back('B');
    header.push_back('M');
    Put32(header, static_cast<std::uint32_t>(fileSize));
    Put32(header, 0);           // reserved
    Put32(header, headerSize);  // offset of the pixel data
    Put32(header, 40);          // information header size
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));  // positive: bottom row first
    Put16(header, 1);                                   // planes
    Put16(header, static_cast<std::uint16_t>(bits));
    Put32(header, bits == 16 ? 3 : 0);  // BI_BITFIELDS or BI_RGB
    Put32(header, static_cast<std::uint32_t>(imageSize));
    Put32(header, 0);  // horizontal resolution: unspecified
    Put32(header, 0);  // vertical resolution: unspecified
    Put32(header, 0);  // colours used
    Put32(header, 0);  // important colours
    if (bits == 16) {
        Put32(header, 0xF800);
        Put32(header, 0x07E0);
        Put32(header, 0x001F);
    }
    out.write(reinterpret_cast<const char*>(header.data()),
              static_cast<std::streamsize>(header.size()));

    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (std::int64_t y = height - 1; y >= 0; --y) {
        const std::uint8_t* src = image.Pixel(0, static_cast<int>(y));
        std::uint8_t* dst = row.data();
        for (std::int64_t x = 0; x < width; ++x, src += 4) {
            if (bits == 16) {
                const std::uint16_t v = static_cast<std::uint16_t>(
                    ((src[0] >> 3) << 11) | ((src[1] >> 2) << 5) | (src[2] >> 3));
                *dst++ = static_cast<std::uint8_t>(v);
                *dst++ = static_cast<std::uint8_t>(v >> 8);
            } else {
                *dst++ = src[2];
                *dst++ = src[1];
                *dst++ = src[0];
                if (bits == 32) *dst++ = 255;
            }
        }
        out.write(reinterpret_cast<const char*>(row.data()), static_cast<std::streamsize>(stride));
    }
}

}  // namespace tessaly
