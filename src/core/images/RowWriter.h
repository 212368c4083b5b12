// RowWriter: pictures written a row at a time, so a picture of any size can
// be encoded while it is being drawn and memory does not grow with it. One
// writer per format (PNG, JPEG, BMP); each takes rows of RGBA pixels in the
// order it asks for (a bitmap stores its bottom row first) and can carry a
// resolution, an alpha channel (PNG, 32-bit BMP) and a JPEG quality.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "core/images/PictureDepth.h"

namespace tessaly {

class RowWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How a picture is stored.
struct RowFormat {
    PictureFileType type = PictureFileType::Png;
    int bitsPerPixel = 24;  // 16, 24 or 32; BMP stores it, PNG and JPEG reduce 16 to 5-6-5
    int jpegQuality = kCaptureJpegQuality;  // 1 to 100
    bool alpha = false;                     // keep the fourth byte: PNG, 32-bit BMP only
    int dpi = 0;                            // 0: no resolution written
};

inline constexpr int kMaxDpi = 10000;

// Empty when the format can hold what is asked, else why not (for messages).
std::string RowFormatProblem(const RowFormat& format);

class RowWriter {
  public:
    virtual ~RowWriter() = default;
    // True when rows must come bottom row first.
    virtual bool BottomUp() const { return false; }
    // One row of width x 4 bytes (red, green, blue, alpha).
    virtual void WriteRow(const std::uint8_t* rgba) = 0;
    // After the last row; throws when the encoder or the stream failed.
    virtual void Finish() = 0;
};

// A writer for a width x height picture into `out`. Throws RowWriteError for
// a format it cannot hold (see RowFormatProblem) or an impossible size.
std::unique_ptr<RowWriter> MakeRowWriter(const RowFormat& format, int width, int height,
                                         std::ostream& out);

// Whether the writer for `format` takes its bottom row first (a bitmap).
bool RowsBottomUp(const RowFormat& format);

// The per-format writers behind MakeRowWriter.
std::unique_ptr<RowWriter> MakePngRowWriter(const RowFormat& format, int width, int height,
                                            std::ostream& out);
std::unique_ptr<RowWriter> MakeJpegRowWriter(const RowFormat& format, int width, int height,
                                             std::ostream& out);
std::unique_ptr<RowWriter> MakeBmpRowWriter(const RowFormat& format, int width, int height,
                                            std::ostream& out);

// Pixels per metre for a resolution in dots per inch, rounded.
std::uint32_t PixelsPerMetre(int dpi);

}  // namespace tessaly
