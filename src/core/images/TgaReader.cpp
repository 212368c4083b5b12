#include "core/images/TgaReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/images/PictureLimits.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

constexpr const char* kFileError = "TGA File Error";
constexpr std::size_t kHeaderSize = 18;

TextureReadResult Fail(const std::string& message) {
    return TextureReadResult::Failure(message, kFileError);
}

TextureReadResult CannotRead(const std::string& path) {
    return Fail("Couldn't read file \"" + path + "\".");
}

// Decodes run-length packets into `out` (`pixelCount` pixels of `bpp`
// bytes). A run longer than what is left of the picture is cut. Returns false
// when the data end before the picture is full: a short file is refused, not
// filled up with black.
bool DecodeRle(const std::uint8_t* data, std::size_t size, std::size_t bpp, std::size_t pixelCount,
               std::uint8_t* out) {
    std::size_t pos = 0;
    std::size_t done = 0;
    while (done < pixelCount) {
        if (pos >= size) return false;
        const std::uint8_t count = data[pos++];
        if (count >= 128) {
            const std::size_t run = std::min<std::size_t>(count - 127, pixelCount - done);
            if (size - pos < bpp) return false;
            for (std::size_t i = 0; i < run; ++i, ++done)
                std::memcpy(out + done * bpp, data + pos, bpp);
            pos += bpp;
        } else {
            const std::size_t raw = std::min<std::size_t>(count + 1, pixelCount - done);
            if ((size - pos) / bpp < raw) return false;
            std::memcpy(out + done * bpp, data + pos, raw * bpp);
            done += raw;
            pos += raw * bpp;
        }
    }
    return true;
}

// The fewest bytes run-length data for `pixelCount` pixels can take: every
// packet gives at most 128 pixels for a count byte and one stored pixel.
std::size_t SmallestRleSize(std::size_t pixelCount, std::size_t bpp) {
    return (pixelCount + 127) / 128 * (1 + bpp);
}

}  // namespace

TextureReadResult ReadTgaPixels(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return TextureReadResult::Failure("File not found  - " + path, "TGA Texture");

    std::vector<std::uint8_t> file;
    try {
        file = ReadWholeFile(path);
    } catch (const std::exception&) {
        return CannotRead(path);
    }
    if (file.size() < kHeaderSize) return CannotRead(path);

    const std::size_t idLength = file[0];
    const std::uint8_t colorMapType = file[1];
    const std::uint8_t imageType = file[2];
    const int width = file[12] | (file[13] << 8);
    const int height = file[14] | (file[15] << 8);
    const int bits = file[16];
    const std::uint8_t descriptor = file[17];

    const std::string quoted = "Couldn't load \"" + path + "\". ";
    if (imageType != 2 && imageType != 10) return Fail(quoted + "Only 24 and 32bit TGA supported.");
    if (colorMapType != 0) return Fail(quoted + "Colormapped TGA files not supported.");
    if (bits != 24 && bits != 32) return Fail(quoted + "Only 24 and 32 bit TGA files supported.");
    if (!PictureSizeAllowed(width, height)) return Fail(quoted + PictureSizeProblem(width, height));

    const std::size_t bpp = static_cast<std::size_t>(bits) / 8;
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    const std::size_t dataStart = kHeaderSize + idLength;  // the identification field is skipped
    const std::uint8_t* data = file.data() + std::min(dataStart, file.size());
    const std::size_t dataSize = file.size() - std::min(dataStart, file.size());

    // Data too short for the size the header claims are refused before the
    // picture's memory is taken.
    const std::size_t smallest =
        imageType == 2 ? pixelCount * bpp : SmallestRleSize(pixelCount, bpp);
    if (dataSize < smallest) return CannotRead(path);
    std::vector<std::uint8_t> stored(pixelCount * bpp);
    if (imageType == 2)
        std::memcpy(stored.data(), data, stored.size());
    else if (!DecodeRle(data, dataSize, bpp, pixelCount, stored.data()))
        return CannotRead(path);

    // Stored pixels are blue, green, red (, alpha). Bit 5 of the descriptor
    // puts the first stored row at the top, bit 4 the first column at the right.
    const bool topFirst = (descriptor & 0x20) != 0;
    const bool rightFirst = (descriptor & 0x10) != 0;
    TexturePixels out;
    out.width = width;
    out.height = height;
    out.format = bpp == 4 ? PixelFormat::RGBA : PixelFormat::RGB;
    out.data.resize(stored.size());
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bpp;
    for (int row = 0; row < height; ++row) {
        const int storedRow = topFirst ? height - 1 - row : row;
        const std::uint8_t* srcRow = stored.data() + storedRow * rowBytes;
        std::uint8_t* dst = out.data.data() + row * rowBytes;
        for (int x = 0; x < width; ++x, dst += bpp) {
            const std::uint8_t* src = srcRow + (rightFirst ? width - 1 - x : x) * bpp;
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            if (bpp == 4) dst[3] = src[3];
        }
    }
    return TextureReadResult::Success(std::move(out));
}

}  // namespace tessaly
