// TexturePixels: what a texture reader hands to OpenGL. Rows run bottom to
// top (the bottom row of the picture first), tightly packed, three bytes a
// pixel (red, green, blue) or four (red, green, blue, alpha).
//
// TextureReadResult carries either the pixels or the message the user is shown
// when a reader fails, with the caption of its message box. A reader that
// fails silently (an unknown file ending) leaves both empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

enum class PixelFormat { RGB, RGBA };

struct TexturePixels {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::RGB;
    std::vector<std::uint8_t> data;  // bottom row first

    int BytesPerPixel() const { return format == PixelFormat::RGBA ? 4 : 3; }
};

struct TextureReadResult {
    bool ok = false;
    TexturePixels pixels;
    std::string message;  // shown in a message box when not ok and not empty
    std::string caption;

    static TextureReadResult Success(TexturePixels p) {
        TextureReadResult r;
        r.ok = true;
        r.pixels = std::move(p);
        return r;
    }
    static TextureReadResult Failure(std::string msg, std::string cap) {
        TextureReadResult r;
        r.message = std::move(msg);
        r.caption = std::move(cap);
        return r;
    }
    static TextureReadResult Silent() { return {}; }
};

// Pictures larger than these are refused by every decoder before anything is
// allocated for them.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = 256LL * 1024 * 1024;

// The largest texture side a face or the floor is given. Larger pictures are
// brought down to it (and decoders that can decode straight to a smaller
// size do so), so a picture costs at most this much texture memory.
inline constexpr int kMaxTextureSide = 4096;

// The texture size a picture of width x height pixels is brought to: each
// side to the nearest power of two, rounding up when the side's two highest
// bits are both set (3 -> 4, 5 -> 4, 6 -> 8, 100 -> 128), then both sides
// halved together while either is over `maxSide` (0: no limit).
struct TextureSize {
    int width = 0;
    int height = 0;
};

inline int PowerOfTwoSide(int side) {
    int power = 1;
    for (unsigned v = static_cast<unsigned>(side); v > 1; v >>= 1) {
        if (v == 3) return power * 4;
        power *= 2;
    }
    return power;
}

inline TextureSize TextureSizeFor(int width, int height, int maxSide) {
    TextureSize size{PowerOfTwoSide(width), PowerOfTwoSide(height)};
    while (maxSide > 0 && (size.width > maxSide || size.height > maxSide)) {
        if (size.width > 1) size.width /= 2;
        if (size.height > 1) size.height /= 2;
    }
    return size;
}

// The largest power-of-two factor, at most 8, by which a picture of width x
// height pixels may be reduced while staying at least as large as its
// texture (with sides of at most `maxSide`, 0: no reduction).
inline int ReductionFor(std::int64_t width, std::int64_t height, int maxSide) {
    // Sizes beyond the limits are left to the decoder to refuse.
    if (maxSide <= 0 || width <= 0 || height <= 0 || width > kMaxPictureSide ||
        height > kMaxPictureSide)
        return 1;
    const TextureSize t =
        TextureSizeFor(static_cast<int>(width), static_cast<int>(height), maxSide);
    int factor = 1;
    while (factor < 8 && (width + 2 * factor - 1) / (2 * factor) >= t.width &&
           (height + 2 * factor - 1) / (2 * factor) >= t.height)
        factor *= 2;
    return factor;
}

}  // namespace tessaly
