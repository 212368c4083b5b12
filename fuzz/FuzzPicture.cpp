// Fuzzes the picture gate from memory: the first byte picks the name the
// bytes are given (an accepted extension or a refused one) and the texture
// size they are decoded for; the rest is the file. A picture that decodes
// must have carried its extension's signature and fit the limits.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/images/PictureFormats.h"
#include "core/images/PictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    static const char* const kNames[] = {"f.png", "f.jpg", "f.tif", "f.bmp", "f.tga", "f.pcx",
                                         "f.sgi", "f.ppm", "f.ico", "f.pcd", "f.gif", "f.svg"};
    constexpr std::size_t kCount = sizeof kNames / sizeof kNames[0];
    if (size < 1) return 0;
    const char* name = kNames[data[0] % kCount];
    const int textureSide = (data[0] / kCount) % 2 ? kMaxTextureSide : 16;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    RgbaImage picture;
    try {
        picture = DecodePicture(bytes, name, textureSide);
    } catch (const PictureError&) {
        return 0;
    }
    const AcceptedFormat* format = FormatForPath(name);
    if (!format || !ContentMatches(*format, bytes)) __builtin_trap();
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxPictureSide ||
        picture.height > kMaxPictureSide ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height * 4)
        __builtin_trap();
    return 0;
}
