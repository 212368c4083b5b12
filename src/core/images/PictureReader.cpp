#include "core/images/PictureReader.h"

#include <Magick++.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "core/images/JpegCodec.h"
#include "core/images/PictureFormats.h"
#include "core/images/PictureLimits.h"
#include "core/images/PixelBudget.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

// The picture library may neither start a program (its PostScript and
// similar coders hand data to outside programs), nor open, write or fetch any
// file or address (drawing formats can pull in other pictures): every
// picture reaches it as bytes in memory, so it never needs to.
MagickPassFail RefuseAccess(const MagickLib::ConfirmAccessMode, const char*,
                            MagickLib::ExceptionInfo*) {
    return MagickFail;
}

// Starts the library once for the whole process and bounds what a single
// picture may cost, against files that claim or expand to enormous sizes.
void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        using namespace MagickLib;
        InitializeMagick(nullptr);
        MagickSetConfirmAccessHandler(RefuseAccess);
        constexpr magick_int64_t MiB = 1024 * 1024;
        SetMagickResourceLimit(MemoryResource, 1024 * MiB);
        SetMagickResourceLimit(MapResource, 2048 * MiB);
        SetMagickResourceLimit(DiskResource, 0);
        SetMagickResourceLimit(PixelsResource, kMaxFullDecodePixels);
        SetMagickResourceLimit(WidthResource, kMaxPictureSide);
        SetMagickResourceLimit(HeightResource, kMaxPictureSide);
    });
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The library's objects, released on every path.
struct MagickCall {
    MagickLib::ImageInfo* info = nullptr;
    MagickLib::Image* image = nullptr;
    MagickLib::ExceptionInfo exception;

    explicit MagickCall(const char* coder) {
        using namespace MagickLib;
        GetExceptionInfo(&exception);
        info = CloneImageInfo(nullptr);
        // "CODER:" with affirm set makes the library use this coder whatever
        // the content looks like; only the first picture of a file is read.
        std::snprintf(info->filename, sizeof info->filename, "%s:", coder);
        std::snprintf(info->magick, sizeof info->magick, "%s", coder);
        info->affirm = 1;
        info->subimage = 0;
        info->subrange = 1;
    }
    ~MagickCall() {
        using namespace MagickLib;
        if (image) DestroyImageList(image);
        if (info) DestroyImageInfo(info);
        DestroyExceptionInfo(&exception);
    }
    MagickCall(const MagickCall&) = delete;
    MagickCall& operator=(const MagickCall&) = delete;

    std::string Reason() const {
        std::string reason = exception.reason ? exception.reason : "";
        if (exception.description) reason += std::string(" (") + exception.description + ")";
        return reason.empty() ? "the picture cannot be decoded" : reason;
    }
};

void CheckSize(std::int64_t width, std::int64_t height) {
    if (!PictureSizeAllowed(width, height)) throw PictureError(PictureSizeProblem(width, height));
    if (width * height > kMaxFullDecodePixels)
        throw PictureError(PictureBudgetProblem(width, height, kMaxFullDecodePixels));
}

RgbaImage DecodeWithMagick(std::span<const std::uint8_t> bytes, const char* coder) {
    using namespace MagickLib;
    InitialiseOnce();
    {
        MagickCall probe(coder);
        probe.image = PingBlob(probe.info, bytes.data(), bytes.size(), &probe.exception);
        if (!probe.image) throw PictureError(probe.Reason());
        CheckSize(probe.image->columns, probe.image->rows);
        ChargePixels(probe.image->columns, probe.image->rows);
    }
    MagickCall call(coder);
    call.image = BlobToImage(call.info, bytes.data(), bytes.size(), &call.exception);
    if (!call.image) throw PictureError(call.Reason());
    const std::int64_t w = call.image->columns;
    const std::int64_t h = call.image->rows;
    CheckSize(w, h);
    RgbaImage out(static_cast<int>(w), static_cast<int>(h));
    if (DispatchImage(call.image, 0, 0, static_cast<unsigned long>(w),
                      static_cast<unsigned long>(h), "RGBA", CharPixel, out.pixels.data(),
                      &call.exception) != MagickPass)
        throw PictureError(call.Reason());
    if (!call.image->matte)
        for (std::size_t i = 3; i < out.pixels.size(); i += 4) out.pixels[i] = 255;
    return out;
}

RgbaImage DecodeJpegReduced(std::span<const std::uint8_t> bytes, int textureSide) {
    // The header is read twice (once to choose the reduction), which costs
    // nothing next to the decoding.
    int reduce = 1;
    if (textureSide > 0 || PixelBudgetOpen()) {
        const JpegSize size = ReadJpegSize(bytes);
        ChargePixels(size.width, size.height);
        if (textureSide > 0) reduce = ReductionFor(size.width, size.height, textureSide);
    }
    return DecodeJpeg(bytes, reduce);
}

RgbaImage DecodePngReduced(std::span<const std::uint8_t> bytes, int textureSide) {
    int reduce = 1;
    if ((textureSide > 0 || PixelBudgetOpen()) && bytes.size() >= 24) {
        // IHDR is the first chunk: width and height are big-endian at 16 and 20.
        auto be32 = [&](std::size_t at) {
            return (std::int64_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) |
                   bytes[at + 3];
        };
        ChargePixels(be32(16), be32(20));
        if (textureSide > 0) reduce = ReductionFor(be32(16), be32(20), textureSide);
    }
    return DecodePng(bytes, reduce, kMaxFullDecodePixels);
}

}  // namespace

RgbaImage DecodePicture(std::span<const std::uint8_t> bytes, const std::string& name,
                        int textureSide) {
    const AcceptedFormat* format = FormatForPath(name);
    if (!format)
        throw PictureError("Couldn't load picture " + Quoted(name) + ": unknown file type");
    if (bytes.empty()) throw PictureError("Couldn't load picture " + Quoted(name) + ": empty file");

    // The content must be what the name says; anything else is refused
    // before a decoder sees it.
    if (!ContentMatches(*format, bytes)) {
        const std::string held = ContentFormatName(bytes);
        throw PictureError("Couldn't load picture " + Quoted(name) + ": it is named ." +
                           LowerExtension(name) + " but holds " +
                           (held.empty() ? "no " + std::string(format->name) : held) + " data");
    }

    try {
        switch (format->decoder) {
            case PictureDecoder::Jpeg:
                return DecodeJpegReduced(bytes, textureSide);
            case PictureDecoder::Png:
                return DecodePngReduced(bytes, textureSide);
            case PictureDecoder::Magick:
                return DecodeWithMagick(bytes, format->coder);
        }
    } catch (const std::bad_alloc&) {
        throw PictureError("Couldn't load picture " + Quoted(name) + ": not enough memory");
    } catch (const std::exception& e) {
        throw PictureError("Couldn't load picture " + Quoted(name) + ": " + e.what());
    }
    throw PictureError("Couldn't load picture " + Quoted(name));
}

RgbaImage ReadPicture(const std::string& path, int textureSide) {
    if (!FormatForPath(path))
        throw PictureError("Couldn't load picture " + Quoted(path) + ": unknown file type");

    // Larger files than any picture within the limits are not loaded at all.
    constexpr std::uintmax_t kMaxFileSize = 2ull * 1024 * 1024 * 1024;
    std::error_code ec;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, ec);
    if (!ec && fileSize > kMaxFileSize)
        throw PictureError("Couldn't load picture " + Quoted(path) + ": the file is too large");

    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::exception& e) {
        throw PictureError("Couldn't load picture " + Quoted(path) + ": " + e.what());
    }
    return DecodePicture(bytes, path, textureSide);
}

TexturePixels PictureToTexturePixels(const RgbaImage& picture) {
    TexturePixels out;
    out.width = picture.width;
    out.height = picture.height;
    out.format = PixelFormat::RGBA;
    if (picture.Empty()) return out;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 4;
    out.data.resize(rowBytes * picture.height);
    for (int r = 0; r < picture.height; ++r) {
        const std::uint8_t* src = picture.Pixel(0, picture.height - 1 - r);
        std::uint8_t* dst = out.data.data() + r * rowBytes;
        for (int x = 0; x < picture.width; ++x) {
            dst[x * 4 + 0] = src[x * 4 + 0];
            dst[x * 4 + 1] = src[x * 4 + 1];
            dst[x * 4 + 2] = src[x * 4 + 2];
            dst[x * 4 + 3] = 255;
        }
    }
    return out;
}

const std::vector<PictureFormat>& PictureExtensions() {
    static const std::vector<PictureFormat> formats = [] {
        std::vector<PictureFormat> list;
        for (const AcceptedFormat& f : AcceptedFormats())
            list.push_back({f.extensions, f.descriptions});
        return list;
    }();
    return formats;
}

std::string PictureFilePatterns() {
    std::string patterns;
    for (const AcceptedFormat& f : AcceptedFormats())
        for (const std::string& e : f.extensions) patterns += (patterns.empty() ? "*." : " *.") + e;
    return patterns;
}

bool IsPictureExtension(const std::string& path) {
    return FormatForPath(path) != nullptr;
}

}  // namespace tessaly
