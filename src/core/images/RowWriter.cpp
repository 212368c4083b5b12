#include "core/images/RowWriter.h"

#include <cmath>
#include <vector>

namespace tessaly {

namespace {

// PNG and JPEG files of a 16-bit picture show the colours of the 16-bit
// bitmap: each row is cut to 5-6-5 before it reaches the encoder.
class ReducingWriter : public RowWriter {
  public:
    ReducingWriter(std::unique_ptr<RowWriter> inner, int width)
        : inner_(std::move(inner)), row_(static_cast<std::size_t>(width) * 4) {}
    bool BottomUp() const override { return inner_->BottomUp(); }
    void WriteRow(const std::uint8_t* rgba) override {
        for (std::size_t i = 0; i < row_.size(); i += 4) {
            const unsigned r = rgba[i] >> 3, g = rgba[i + 1] >> 2, b = rgba[i + 2] >> 3;
            row_[i] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
            row_[i + 1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
            row_[i + 2] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
            row_[i + 3] = rgba[i + 3];
        }
        inner_->WriteRow(row_.data());
    }
    void Finish() override { inner_->Finish(); }

  private:
    std::unique_ptr<RowWriter> inner_;
    std::vector<std::uint8_t> row_;
};

}  // namespace

std::string RowFormatProblem(const RowFormat& f) {
    if (f.dpi < 0 || f.dpi > kMaxDpi)
        return "the resolution must be 1 to " + std::to_string(kMaxDpi) + " dpi";
    if (f.jpegQuality < 1 || f.jpegQuality > 100) return "the JPEG quality must be 1 to 100";
    if (!f.alpha) return {};
    if (f.type == PictureFileType::Jpeg) return "JPEG has no alpha channel; use PNG";
    if (f.type == PictureFileType::Bmp && f.bitsPerPixel != 32)
        return "a " + std::to_string(f.bitsPerPixel) +
               "-bit bitmap has no alpha channel; use PNG or a 32-bit bitmap";
    if (f.type == PictureFileType::Png && f.bitsPerPixel == 16)
        return "a 16-bit picture has no alpha channel";
    return {};
}

std::uint32_t PixelsPerMetre(int dpi) {
    return static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
}

bool RowsBottomUp(const RowFormat& format) {
    return format.type == PictureFileType::Bmp;
}

std::unique_ptr<RowWriter> MakeRowWriter(const RowFormat& format, int width, int height,
                                         std::ostream& out) {
    if (const std::string problem = RowFormatProblem(format); !problem.empty())
        throw RowWriteError("Cannot write this picture: " + problem);
    if (width <= 0 || height <= 0) throw RowWriteError("Cannot write an empty picture");
    switch (format.type) {
        case PictureFileType::Bmp:
            return MakeBmpRowWriter(format, width, height, out);
        case PictureFileType::Jpeg:
        case PictureFileType::Png: {
            auto writer = format.type == PictureFileType::Png
                              ? MakePngRowWriter(format, width, height, out)
                              : MakeJpegRowWriter(format, width, height, out);
            if (format.bitsPerPixel != 16) return writer;
            return std::make_unique<ReducingWriter>(std::move(writer), width);
        }
    }
    throw RowWriteError("Unknown picture file type");
}

}  // namespace tessaly
