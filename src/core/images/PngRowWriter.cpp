// PNG, a row at a time: 8-bit RGB, or RGBA (colour type 6) when the alpha is
// kept; rows stored with the None filter and compressed at the level of the
// capture's PNG files; the resolution in a pHYs chunk.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "core/images/PngCodec.h"
#include "core/images/RowWriter.h"

namespace tessaly {

namespace {

// libpng reports a fatal error through the error callback, which must not
// return: it jumps back to the setjmp of the Guarded call that entered the
// library. The functions run under Guarded hold no objects with destructors.
struct PngState {
    std::ostream* out = nullptr;
    bool writeFailed = false;
    char message[256] = {};
};

void OnError(png_structp png, png_const_charp message) {
    auto* st = static_cast<PngState*>(png_get_error_ptr(png));
    std::strncpy(st->message, message ? message : "PNG error", sizeof st->message - 1);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool WriteBytes(PngState* st, png_bytep data, png_size_t length) {
    try {
        st->out->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
        return static_cast<bool>(*st->out);
    } catch (...) {
        return false;
    }
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* st = static_cast<PngState*>(png_get_io_ptr(png));
    if (!WriteBytes(st, data, length)) {
        st->writeFailed = true;
        png_error(png, "Error writing PNG data");
    }
}

void OnFlush(png_structp) {}

struct HeaderArgs {
    png_structp png;
    png_infop info;
    png_uint_32 width, height;
    bool alpha;
    int dpi;
};

void WriteHeader(void* p) {
    auto* a = static_cast<HeaderArgs*>(p);
    png_set_filter(a->png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(a->png, kPngCompressionLevel);
    png_set_IHDR(a->png, a->info, a->width, a->height, 8,
                 a->alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (a->dpi > 0) {
        const png_uint_32 ppm = PixelsPerMetre(a->dpi);
        png_set_pHYs(a->png, a->info, ppm, ppm, PNG_RESOLUTION_METER);
    }
    png_write_info(a->png, a->info);
}

struct RowArgs {
    png_structp png;
    png_bytep row;
};

void WriteOneRow(void* p) {
    auto* a = static_cast<RowArgs*>(p);
    png_write_row(a->png, a->row);
}

struct EndArgs {
    png_structp png;
    png_infop info;
};

void WriteEnd(void* p) {
    auto* a = static_cast<EndArgs*>(p);
    png_write_end(a->png, a->info);
}

[[gnu::noinline]] bool Guarded(png_structp png, void (*fn)(void*), void* args) {
    if (setjmp(png_jmpbuf(png))) return false;
    fn(args);
    return true;
}

class PngRowWriter : public RowWriter {
  public:
    PngRowWriter(const RowFormat& format, int width, int height, std::ostream& out)
        : alpha_(format.alpha), width_(static_cast<std::size_t>(width)) {
        state_.out = &out;
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state_, OnError, OnWarning);
        if (!png_) throw RowWriteError("Cannot start the PNG encoder");
        info_ = png_create_info_struct(png_);
        if (!info_) {
            png_destroy_write_struct(&png_, nullptr);
            throw RowWriteError("Cannot start the PNG encoder");
        }
        png_set_write_fn(png_, &state_, OnWrite, OnFlush);
        row_.resize(width_ * (alpha_ ? 4 : 3));
        HeaderArgs args{
            png_,   info_,     static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
            alpha_, format.dpi};
        if (!Guarded(png_, WriteHeader, &args)) {
            const bool writeFailed = state_.writeFailed;
            const std::string message = state_.message;
            png_destroy_write_struct(&png_, &info_);
            throw RowWriteError(writeFailed ? "Error writing PNG data"
                                            : "PNG encoder error: " + message);
        }
    }
    ~PngRowWriter() override { png_destroy_write_struct(&png_, &info_); }

    void WriteRow(const std::uint8_t* rgba) override {
        if (alpha_) {
            std::memcpy(row_.data(), rgba, row_.size());
        } else {
            for (std::size_t x = 0; x < width_; ++x) {
                row_[x * 3 + 0] = rgba[x * 4 + 0];
                row_[x * 3 + 1] = rgba[x * 4 + 1];
                row_[x * 3 + 2] = rgba[x * 4 + 2];
            }
        }
        RowArgs args{png_, row_.data()};
        if (!Guarded(png_, WriteOneRow, &args)) Fail();
    }

    void Finish() override {
        EndArgs args{png_, info_};
        if (!Guarded(png_, WriteEnd, &args)) Fail();
        state_.out->flush();
        if (!*state_.out) throw RowWriteError("Error writing PNG data");
    }

  private:
    [[noreturn]] void Fail() {
        if (state_.writeFailed) throw RowWriteError("Error writing PNG data");
        throw RowWriteError(std::string("PNG encoder error: ") + state_.message);
    }

    PngState state_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool alpha_;
    std::size_t width_;
    std::vector<png_byte> row_;
};

}  // namespace

std::unique_ptr<RowWriter> MakePngRowWriter(const RowFormat& format, int width, int height,
                                            std::ostream& out) {
    return std::make_unique<PngRowWriter>(format, width, height, out);
}

}  // namespace tessaly
