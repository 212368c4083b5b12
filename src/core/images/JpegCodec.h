// JpegCodec: JPEG decoding (file or memory, to an RgbaImage) and encoding
// (from an RgbaImage to a stream). Errors of the JPEG library come back as
// JpegError; the library never ends the process.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>

#include "core/images/RgbaImage.h"
#include "core/images/TexturePixels.h"

namespace tessaly {

class JpegError : public std::runtime_error {
  public:
    explicit JpegError(const std::string& what, bool tooLarge = false)
        : std::runtime_error(what), tooLarge_(tooLarge) {}
    // True when the picture was refused for its size, before decoding.
    bool TooLarge() const { return tooLarge_; }

  private:
    bool tooLarge_;
};

// Decodes to top-down RGBA with alpha 255. Colour, greyscale and CMYK
// pictures are accepted; pictures over kMaxPictureSide a side or
// kMaxPicturePixels in all are refused before their pixels are allocated.
RgbaImage DecodeJpeg(std::span<const std::uint8_t> data);
// The same, each side divided by `reduce` (2, 4 or 8; anything else decodes
// the full size) by the library's scaled decoding, sides rounded up.
RgbaImage DecodeJpeg(std::span<const std::uint8_t> data, int reduce);
RgbaImage DecodeJpegFile(const std::string& path);

// The width and height a JPEG declares in its frame header; JpegError when
// the header cannot be read.
struct JpegSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};
JpegSize ReadJpegSize(std::span<const std::uint8_t> data);

// Texture reader: RGBA, bottom row first, alpha 255. Fails with
// "Couldn't load JPG - \"" + path + "\"" (caption "BMP Unit"); a picture
// refused for its size gets the reason appended.
TextureReadResult ReadJpegPixels(const std::string& path);

// Encodes `image` (alpha ignored) as a baseline JPEG of the given quality
// (1-100; captures use 80). Throws JpegError for an empty or inconsistent
// picture or an encoder error.
void WriteJpeg(const RgbaImage& image, int quality, std::ostream& out);

}  // namespace tessaly
