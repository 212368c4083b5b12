#include "core/images/PngCodec.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "core/images/PictureLimits.h"

namespace tessaly {

namespace {

// libpng reports a fatal error through the error callback, which must not
// return; it jumps back to the setjmp in Encode. Encode and the callbacks
// hold no objects with destructors at that point; the row buffer and the
// library structures are owned one frame further out.
struct WriteContext {
    std::ostream* out;
    bool writeFailed;
    char message[256];
};

void OnError(png_structp png, png_const_charp message) {
    auto* ctx = static_cast<WriteContext*>(png_get_error_ptr(png));
    std::strncpy(ctx->message, message ? message : "PNG error", sizeof ctx->message - 1);
    ctx->message[sizeof ctx->message - 1] = '\0';
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool WriteBytes(WriteContext* ctx, png_bytep data, png_size_t length) {
    bool ok = true;
    try {
        ctx->out->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
        ok = static_cast<bool>(*ctx->out);
    } catch (...) {
        ok = false;
    }
    return ok;
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* ctx = static_cast<WriteContext*>(png_get_io_ptr(png));
    if (!WriteBytes(ctx, data, length)) {
        ctx->writeFailed = true;
        png_error(png, "Error writing PNG data");
    }
}

void OnFlush(png_structp png) {
    auto* ctx = static_cast<WriteContext*>(png_get_io_ptr(png));
    try {
        ctx->out->flush();
    } catch (...) {
        ctx->writeFailed = true;
    }
}

[[gnu::noinline]] bool Encode(png_structp png, png_infop info, WriteContext* ctx,
                              const RgbaImage* image, png_bytep rowBuffer) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, ctx, OnWrite, OnFlush);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kPngCompressionLevel);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image->width),
                 static_cast<png_uint_32>(image->height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t width = static_cast<std::size_t>(image->width);
    for (int y = 0; y < image->height; ++y) {
        const std::uint8_t* src = image->Pixel(0, y);
        for (std::size_t x = 0; x < width; ++x) {
            rowBuffer[x * 3 + 0] = src[x * 4 + 0];
            rowBuffer[x * 3 + 1] = src[x * 4 + 1];
            rowBuffer[x * 3 + 2] = src[x * 4 + 2];
        }
        png_write_row(png, rowBuffer);
    }
    png_write_end(png, info);
    return true;
}

struct PngGuard {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngGuard() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

// ---- Reading ----

// As for writing: errors jump back to the setjmp of the function that called
// into the library; those functions hold nothing with a destructor.
struct ReadContext {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
    char message[256];
};

void OnReadError(png_structp png, png_const_charp message) {
    auto* ctx = static_cast<ReadContext*>(png_get_error_ptr(png));
    std::strncpy(ctx->message, message ? message : "PNG error", sizeof ctx->message - 1);
    ctx->message[sizeof ctx->message - 1] = '\0';
    png_longjmp(png, 1);
}

void OnRead(png_structp png, png_bytep out, png_size_t length) {
    auto* ctx = static_cast<ReadContext*>(png_get_io_ptr(png));
    if (ctx->size - ctx->position < length) png_error(png, "The PNG data end early");
    std::memcpy(out, ctx->data + ctx->position, length);
    ctx->position += length;
}

struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool interlaced = false;
};

[[gnu::noinline]] bool ReadHeader(png_structp png, png_infop info, ReadContext* ctx,
                                  PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, ctx, OnRead);
    // Sizes beyond the limits stop the library itself, and so do text and
    // profile chunks that inflate to more than a few megabytes.
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    png_read_info(png, info);
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &header->width, &header->height, &depth, &colour, &interlace, nullptr,
                 nullptr);
    header->interlaced = interlace != PNG_INTERLACE_NONE;
    // Everything becomes 8-bit red, green, blue, alpha.
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(header->width) * 4)
        png_error(png, "Unexpected PNG row layout");
    return true;
}

// Averages blocks of `factor` x `factor` pixels of the rows it is given into
// a picture of the reduced size; blocks cut by the right or bottom edge
// average the pixels they hold.
class RowReducer {
  public:
    RowReducer(int width, int height, int factor)
        : width_(width),
          factor_(factor),
          out_((width + factor - 1) / factor, (height + factor - 1) / factor),
          sums_(static_cast<std::size_t>(out_.width) * 4, 0) {}

    // Where the next full-size row goes when nothing needs reducing.
    std::uint8_t* DirectRow() { return factor_ == 1 ? out_.Pixel(0, nextRow_) : nullptr; }

    void AddRow(const std::uint8_t* row) {
        if (factor_ == 1) {
            if (row != out_.Pixel(0, nextRow_))
                std::memcpy(out_.Pixel(0, nextRow_), row, static_cast<std::size_t>(width_) * 4);
            ++nextRow_;
            return;
        }
        for (int x = 0; x < width_; ++x)
            for (int c = 0; c < 4; ++c) sums_[(x / factor_) * 4 + c] += row[x * 4 + c];
        if (++rowsInBand_ == factor_) Flush();
    }

    RgbaImage Finish() {
        if (factor_ != 1) Flush();
        return std::move(out_);
    }

  private:
    void Flush() {
        if (rowsInBand_ == 0) return;
        std::uint8_t* dst = out_.Pixel(0, nextRow_++);
        for (int ox = 0; ox < out_.width; ++ox) {
            const int columns = std::min(factor_, width_ - ox * factor_);
            const std::uint32_t count = static_cast<std::uint32_t>(columns * rowsInBand_);
            for (int c = 0; c < 4; ++c) {
                std::uint32_t& sum = sums_[ox * 4 + c];
                dst[ox * 4 + c] = static_cast<std::uint8_t>((sum + count / 2) / count);
                sum = 0;
            }
        }
        rowsInBand_ = 0;
    }

    int width_;
    int factor_;
    RgbaImage out_;
    std::vector<std::uint32_t> sums_;
    int rowsInBand_ = 0;
    int nextRow_ = 0;
};

[[gnu::noinline]] bool ReadRows(png_structp png, ReadContext*, png_uint_32 height,
                                RowReducer* reducer, std::uint8_t* rowBuffer) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (png_uint_32 y = 0; y < height; ++y) {
        std::uint8_t* row = reducer->DirectRow();
        if (!row) row = rowBuffer;
        png_read_row(png, row, nullptr);
        reducer->AddRow(row);
    }
    return true;
}

[[gnu::noinline]] bool ReadInterlaced(png_structp png, ReadContext*, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

struct PngReadGuard {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReadGuard() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

}  // namespace

RgbaImage DecodePng(std::span<const std::uint8_t> data, int reduce, std::int64_t fullDecodeBudget) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) throw PngError("Not PNG data");
    ReadContext ctx{data.data(), data.size(), 0, {}};
    PngReadGuard guard;
    guard.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, OnReadError, OnWarning);
    if (!guard.png) throw PngError("Cannot start the PNG decoder");
    guard.info = png_create_info_struct(guard.png);
    if (!guard.info) throw PngError("Cannot start the PNG decoder");
    PngHeader header;
    if (!ReadHeader(guard.png, guard.info, &ctx, &header)) throw PngError(ctx.message);
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (!PictureSizeAllowed(width, height)) throw PngError(PictureSizeProblem(width, height));
    if (header.interlaced && width * height > fullDecodeBudget)
        throw PngError(PictureBudgetProblem(width, height, fullDecodeBudget));

    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    reduce = std::max(reduce, 1);
    if (!header.interlaced) {
        RowReducer reducer(w, h, reduce);
        std::vector<std::uint8_t> row(reduce > 1 ? static_cast<std::size_t>(width) * 4 : 0);
        if (!ReadRows(guard.png, &ctx, header.height, &reducer, row.data()))
            throw PngError(ctx.message);
        return reducer.Finish();
    }
    // Interlaced rows arrive in passes over the whole picture, so it is held
    // whole, then reduced.
    RgbaImage whole(w, h);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < h; ++y) rows[y] = whole.Pixel(0, y);
    if (!ReadInterlaced(guard.png, &ctx, rows.data())) throw PngError(ctx.message);
    if (reduce == 1) return whole;
    RowReducer reducer(w, h, reduce);
    for (int y = 0; y < h; ++y) reducer.AddRow(whole.Pixel(0, y));
    return reducer.Finish();
}

void WritePng(const RgbaImage& image, std::ostream& out) {
    if (image.Empty()) throw PngError("Cannot write an empty picture as PNG");
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        throw PngError("Picture data do not match its size");
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * 3);
    WriteContext ctx{&out, false, {}};
    PngGuard guard;
    guard.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
    if (!guard.png) throw PngError("Cannot start the PNG encoder");
    guard.info = png_create_info_struct(guard.png);
    if (!guard.info) throw PngError("Cannot start the PNG encoder");
    if (!Encode(guard.png, guard.info, &ctx, &image, row.data())) {
        if (ctx.writeFailed) throw PngError("Error writing PNG data");
        throw PngError(std::string("PNG encoder error: ") + ctx.message);
    }
    if (ctx.writeFailed) throw PngError("Error writing PNG data");
}

}  // namespace tessaly
