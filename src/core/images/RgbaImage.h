// RgbaImage: the program's own picture type. Rows run top to bottom, four
// bytes a pixel in the order red, green, blue, alpha, no padding. Decoded
// pictures, captured frames and the pictures handed to the writers all use it.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaly {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes, top row first

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4, 0) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    std::uint8_t* Pixel(int x, int y) {
        return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
    const std::uint8_t* Pixel(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
};

}  // namespace tessaly
