#include "core/images/BmpReader.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <span>
#include <vector>

#include "core/images/PictureLimits.h"
#include "core/io/ByteReader.h"

namespace tessaly {

namespace {

constexpr const char* kCaption = "BMP Unit";
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

TextureReadResult Fail(const std::string& message) {
    return TextureReadResult::Failure(message, kCaption);
}

TextureReadResult Unsupported(const std::string& path, const std::string& why) {
    return Fail("Couldn't load \"" + path + "\". " + why);
}

bool ReadAt(std::ifstream& in, std::uint64_t offset, std::uint8_t* dst, std::size_t count) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(in.read(reinterpret_cast<char*>(dst), count));
}

}  // namespace

TextureReadResult ReadBmpPixels(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail("Error opening " + path);
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0) return Fail("Error opening " + path);
    const auto fileSize = static_cast<std::uint64_t>(end);

    // File header (14 bytes) and information header (40 bytes).
    std::uint8_t header[54];
    if (!ReadAt(in, 0, header, sizeof header)) return Fail("Error reading bitmap header");
    ByteReader r(std::span<const std::uint8_t>(header, sizeof header));
    r.Skip(2);  // "BM"; not checked, as files with other tags are read alike
    r.Skip(4);  // bfSize, often wrong in the wild
    r.Skip(4);  // reserved
    const std::uint32_t offBits = r.U32();
    const std::uint32_t infoSize = r.U32();
    const std::int64_t width = r.I32();
    const std::int64_t signedHeight = r.I32();
    r.Skip(2);  // planes
    const std::uint16_t bitCount = r.U16();
    const std::uint32_t compression = r.U32();
    r.Skip(4 + 4 + 4);  // biSizeImage (recomputed below), resolution
    const std::uint32_t colorsUsed = r.U32();

    if (infoSize < 40) return Unsupported(path, "Unsupported bitmap header.");
    if (bitCount != 24 && bitCount != 32)
        return Unsupported(path, "Only 24 and 32 bit bitmaps are supported (this one has " +
                                     std::to_string(bitCount) + " bits a pixel).");
    if (compression != kBiRgb) {
        bool plainMasks = false;
        if (compression == kBiBitfields && bitCount == 32) {
            // Bit fields that merely restate the usual blue-green-red order.
            std::uint8_t masks[12];
            if (ReadAt(in, 54, masks, sizeof masks)) {
                ByteReader m(std::span<const std::uint8_t>(masks, sizeof masks));
                plainMasks =
                    m.U32() == 0x00FF0000u && m.U32() == 0x0000FF00u && m.U32() == 0x000000FFu;
            }
        }
        if (!plainMasks) return Unsupported(path, "Compressed bitmaps are not supported.");
    }

    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -signedHeight : signedHeight;
    if (!PictureSizeAllowed(width, height))
        return Unsupported(path, PictureSizeProblem(width, height));

    // The colour table, if any, follows the information header.
    const std::uint64_t paletteEnd =
        14ull + infoSize + static_cast<std::uint64_t>(colorsUsed) * 4ull;
    if (paletteEnd > fileSize) return Fail("Error reading palette");

    // Pixel data start where the file header says, when that is plausible.
    std::uint64_t dataOffset = paletteEnd;
    if (offBits >= 14ull + infoSize && offBits <= fileSize) dataOffset = offBits;

    const std::size_t bytesPerPixel = bitCount / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    const std::size_t stride = (rowBytes + 3) & ~static_cast<std::size_t>(3);
    // The last row's padding is not required: some writers leave it out.
    const std::uint64_t needed = static_cast<std::uint64_t>(stride) * (height - 1) + rowBytes;
    if (needed > fileSize - dataOffset) return Fail("Error reading bitmap data");

    std::vector<std::uint8_t> stored(needed);
    if (!ReadAt(in, dataOffset, stored.data(), stored.size()))
        return Fail("Error reading bitmap data");

    TexturePixels out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.format = PixelFormat::RGB;
    out.data.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::int64_t row = 0; row < height; ++row) {
        // Stored rows run bottom-up unless the height was negative.
        const std::int64_t storedRow = topDown ? height - 1 - row : row;
        const std::uint8_t* src = stored.data() + storedRow * stride;
        std::uint8_t* dst = out.data.data() + row * width * 3;
        for (std::int64_t x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return TextureReadResult::Success(std::move(out));
}

}  // namespace tessaly
