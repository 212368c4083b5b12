#include "core/images/JpegCodec.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

#include "core/images/PictureLimits.h"
#include "core/images/PictureReader.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

// The library reports a fatal error by calling error_exit, which must not
// return. We jump back to the setjmp in the function that called into the
// library. Those functions hold no objects with destructors, so the jump
// skips nothing that needs cleaning up; the callers that own memory and the
// library objects live one frame further out and release them normally.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (corrupt but readable data) are not shown.
void IgnoreMessage(j_common_ptr, int) {}

void InitErrors(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = IgnoreMessage;
    err.message[0] = '\0';
}

struct DecompressGuard {
    jpeg_decompress_struct* cinfo;
    ~DecompressGuard() { jpeg_destroy_decompress(cinfo); }
};

struct CompressGuard {
    jpeg_compress_struct* cinfo;
    ~CompressGuard() { jpeg_destroy_compress(cinfo); }
};

[[gnu::noinline]] bool ReadHeader(jpeg_decompress_struct* cinfo, ErrorManager* err,
                                  const std::uint8_t* data, std::size_t size) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    return true;
}

[[gnu::noinline]] bool DecodeRows(jpeg_decompress_struct* cinfo, ErrorManager* err,
                                  std::uint8_t* pixels, std::uint8_t* cmykRow) {
    if (setjmp(err->jump)) return false;
    jpeg_start_decompress(cinfo);
    const std::size_t rowBytes = static_cast<std::size_t>(cinfo->output_width) * 4;
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        std::uint8_t* dst = pixels + cinfo->output_scanline * rowBytes;
        JSAMPROW row = cmykRow ? cmykRow : dst;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) break;
        if (!cmykRow) continue;
        // Adobe writes CMYK inverted (255 = no ink); others store ink amounts.
        for (std::size_t x = 0; x < cinfo->output_width; ++x) {
            const std::uint8_t* s = cmykRow + x * 4;
            const unsigned k = inverted ? s[3] : 255u - s[3];
            for (int c = 0; c < 3; ++c) {
                const unsigned v = inverted ? s[c] : 255u - s[c];
                dst[x * 4 + c] = static_cast<std::uint8_t>((v * k + 127) / 255);
            }
            dst[x * 4 + 3] = 255;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// Destination manager writing straight into a std::ostream.
struct StreamDestination {
    jpeg_destination_mgr pub;
    std::ostream* out;
    bool failed;
    JOCTET buffer[16384];
};

bool Flush(StreamDestination* dest, std::size_t count) {
    bool ok = true;
    try {
        dest->out->write(reinterpret_cast<const char*>(dest->buffer),
                         static_cast<std::streamsize>(count));
        ok = static_cast<bool>(*dest->out);
    } catch (...) {
        ok = false;
    }
    return ok;
}

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StreamDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StreamDestination*>(cinfo->dest);
    if (!Flush(dest, sizeof dest->buffer)) {
        dest->failed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<StreamDestination*>(cinfo->dest);
    if (!Flush(dest, sizeof dest->buffer - dest->pub.free_in_buffer)) {
        dest->failed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

[[gnu::noinline]] bool Encode(jpeg_compress_struct* cinfo, ErrorManager* err,
                              StreamDestination* dest, const RgbaImage* image, int quality) {
    if (setjmp(err->jump)) return false;
    jpeg_create_compress(cinfo);
    dest->pub.init_destination = InitDestination;
    dest->pub.empty_output_buffer = EmptyOutputBuffer;
    dest->pub.term_destination = TermDestination;
    cinfo->dest = &dest->pub;
    cinfo->image_width = static_cast<JDIMENSION>(image->width);
    cinfo->image_height = static_cast<JDIMENSION>(image->height);
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_RGBA;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(image->width) * 4;
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(image->pixels.data() + cinfo->next_scanline * rowBytes);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

RgbaImage DecodeJpeg(std::span<const std::uint8_t> data) {
    return DecodeJpeg(data, 1);
}

JpegSize ReadJpegSize(std::span<const std::uint8_t> data) {
    if (data.empty()) throw JpegError("Empty JPEG data");
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    DecompressGuard guard{&cinfo};
    if (!ReadHeader(&cinfo, &err, data.data(), data.size())) throw JpegError(err.message);
    return {cinfo.image_width, cinfo.image_height};
}

RgbaImage DecodeJpeg(std::span<const std::uint8_t> data, int reduce) {
    if (data.empty()) throw JpegError("Empty JPEG data");
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    DecompressGuard guard{&cinfo};
    if (!ReadHeader(&cinfo, &err, data.data(), data.size())) throw JpegError(err.message);

    const std::int64_t width = cinfo.image_width;
    const std::int64_t height = cinfo.image_height;
    if (!PictureSizeAllowed(width, height))
        throw JpegError(PictureSizeProblem(width, height), true);

    // The library decodes straight to 1/2, 1/4 or 1/8 of the size, rounding up.
    if (reduce != 2 && reduce != 4 && reduce != 8) reduce = 1;
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(reduce);
    const std::int64_t outWidth = (width + reduce - 1) / reduce;
    const std::int64_t outHeight = (height + reduce - 1) / reduce;
    RgbaImage image(static_cast<int>(outWidth), static_cast<int>(outHeight));
    std::vector<std::uint8_t> cmykRow;
    if (cinfo.out_color_space == JCS_CMYK) cmykRow.resize(static_cast<std::size_t>(outWidth) * 4);
    if (!DecodeRows(&cinfo, &err, image.pixels.data(), cmykRow.empty() ? nullptr : cmykRow.data()))
        throw JpegError(err.message);
    if (cinfo.output_width != outWidth || cinfo.output_height != outHeight)
        throw JpegError("Unexpected JPEG output size");
    return image;
}

RgbaImage DecodeJpegFile(const std::string& path) {
    std::vector<std::uint8_t> data;
    try {
        data = ReadWholeFile(path);
    } catch (const std::exception& e) {
        throw JpegError(e.what());
    }
    return DecodeJpeg(data);
}

TextureReadResult ReadJpegPixels(const std::string& path) {
    const std::string message = "Couldn't load JPG - \"" + path + "\"";
    try {
        return TextureReadResult::Success(PictureToTexturePixels(DecodeJpegFile(path)));
    } catch (const JpegError& e) {
        if (e.TooLarge()) return TextureReadResult::Failure(message + ". " + e.what(), "BMP Unit");
        return TextureReadResult::Failure(message, "BMP Unit");
    } catch (const std::bad_alloc&) {
        return TextureReadResult::Failure(message, "BMP Unit");
    }
}

void WriteJpeg(const RgbaImage& image, int quality, std::ostream& out) {
    if (image.Empty()) throw JpegError("Cannot write an empty picture as JPEG");
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        throw JpegError("Picture data do not match its size");
    if (image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION)
        throw JpegError("Picture too large for JPEG");
    jpeg_compress_struct cinfo{};
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    CompressGuard guard{&cinfo};
    StreamDestination dest{};
    dest.out = &out;
    if (!Encode(&cinfo, &err, &dest, &image, std::clamp(quality, 1, 100))) {
        if (dest.failed) throw JpegError("Error writing JPEG data");
        throw JpegError(err.message);
    }
}

}  // namespace tessaly
