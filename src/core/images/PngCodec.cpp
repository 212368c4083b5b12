#include "core/images/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

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

}  // namespace

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
