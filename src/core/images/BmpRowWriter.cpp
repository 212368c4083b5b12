// Windows bitmap, a row at a time, bottom row first as the format stores it
// (the header's height is positive, as in the capture's bitmaps). 16 bits
// use 5-6-5 bit fields, 24 bits plain rows, 32 bits a fourth byte of 255; a
// 32-bit bitmap with alpha gets a version 5 header whose bit fields name the
// fourth byte as alpha, which is what readers look for. The resolution goes
// into the header in pixels per metre.
#include <vector>

#include "core/images/RowWriter.h"

namespace tessaly {

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

class BmpRowWriter : public RowWriter {
  public:
    BmpRowWriter(const RowFormat& format, int width, int height, std::ostream& out)
        : out_(out),
          bits_(format.bitsPerPixel == 16 || format.bitsPerPixel == 24 ? format.bitsPerPixel : 32),
          alpha_(format.alpha && bits_ == 32),
          width_(width) {
        const std::int64_t stride = (std::int64_t{width} * (bits_ / 8) + 3) & ~std::int64_t{3};
        const std::int64_t imageSize = stride * height;
        const std::uint32_t infoSize = alpha_ ? 124 : 40;
        const std::uint32_t headerSize = 14 + infoSize + (bits_ == 16 ? 12 : 0);
        const std::int64_t fileSize = headerSize + imageSize;
        if (fileSize > 0xFFFFFFFFll) throw RowWriteError("Picture too large for a bitmap file");
        row_.assign(static_cast<std::size_t>(stride), 0);

        const std::uint32_t ppm = format.dpi > 0 ? PixelsPerMetre(format.dpi) : 0;
        std::vector<std::uint8_t> h;
        h.push_back('B');
        h.push_back('M');
        Put32(h, static_cast<std::uint32_t>(fileSize));
        Put32(h, 0);
        Put32(h, headerSize);
        Put32(h, infoSize);
        Put32(h, static_cast<std::uint32_t>(width));
        Put32(h, static_cast<std::uint32_t>(height));  // positive: bottom row first
        Put16(h, 1);
        Put16(h, static_cast<std::uint16_t>(bits_));
        Put32(h, bits_ == 16 || alpha_ ? 3 : 0);  // BI_BITFIELDS or BI_RGB
        Put32(h, static_cast<std::uint32_t>(imageSize));
        Put32(h, ppm);
        Put32(h, ppm);
        Put32(h, 0);
        Put32(h, 0);
        if (bits_ == 16) {
            Put32(h, 0xF800);
            Put32(h, 0x07E0);
            Put32(h, 0x001F);
        }
        if (alpha_) {
            Put32(h, 0x00FF0000);                     // red
            Put32(h, 0x0000FF00);                     // green
            Put32(h, 0x000000FF);                     // blue
            Put32(h, 0xFF000000);                     // alpha
            Put32(h, 0x73524742);                     // colour space "sRGB"
            for (int i = 0; i < 9; ++i) Put32(h, 0);  // end points, unused for sRGB
            for (int i = 0; i < 3; ++i) Put32(h, 0);  // gamma, unused for sRGB
            Put32(h, 4);                              // intent: pictures
            Put32(h, 0);                              // profile data
            Put32(h, 0);                              // profile size
            Put32(h, 0);                              // reserved
        }
        out_.write(reinterpret_cast<const char*>(h.data()), static_cast<std::streamsize>(h.size()));
    }

    bool BottomUp() const override { return true; }

    void WriteRow(const std::uint8_t* src) override {
        std::uint8_t* dst = row_.data();
        for (int x = 0; x < width_; ++x, src += 4) {
            if (bits_ == 16) {
                const std::uint16_t v = static_cast<std::uint16_t>(
                    ((src[0] >> 3) << 11) | ((src[1] >> 2) << 5) | (src[2] >> 3));
                *dst++ = static_cast<std::uint8_t>(v);
                *dst++ = static_cast<std::uint8_t>(v >> 8);
            } else {
                *dst++ = src[2];
                *dst++ = src[1];
                *dst++ = src[0];
                if (bits_ == 32) *dst++ = alpha_ ? src[3] : 255;
            }
        }
        out_.write(reinterpret_cast<const char*>(row_.data()),
                   static_cast<std::streamsize>(row_.size()));
        if (!out_) throw RowWriteError("Error writing bitmap data");
    }

    void Finish() override {
        out_.flush();
        if (!out_) throw RowWriteError("Error writing bitmap data");
    }

  private:
    std::ostream& out_;
    int bits_;
    bool alpha_;
    int width_;
    std::vector<std::uint8_t> row_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeBmpRowWriter(const RowFormat& format, int width, int height,
                                            std::ostream& out) {
    return std::make_unique<BmpRowWriter>(format, width, height, out);
}

}  // namespace tessaly
