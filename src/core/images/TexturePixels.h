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

}  // namespace tessaly
