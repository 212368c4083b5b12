#include "core/images/PictureReader.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>

#include "core/images/JpegCodec.h"
#include "core/images/PictureLimits.h"
#include "core/io/FileIO.h"

namespace tessaly {

namespace {

// Decoder used for each extension. Pictures are always decoded by the coder
// their extension names, never by one guessed from the content, so no file
// can reach a coder outside this table (scripting or vector formats that
// read other files or run programs).
struct ExtensionCoder {
    const char* extension;
    const char* coder;
};

constexpr ExtensionCoder kCoders[] = {
    {"bmp", "BMP"},   {"rle", "BMP"},   {"dib", "BMP"},  {"ico", "ICO"},  {"wmf", "WMF"},
    {"emf", "EMF"},   {"jfif", "JPEG"}, {"jpg", "JPEG"}, {"jpe", "JPEG"}, {"jpeg", "JPEG"},
    {"win", "TGA"},   {"vst", "TGA"},   {"vda", "TGA"},  {"tga", "TGA"},  {"icb", "TGA"},
    {"tiff", "TIFF"}, {"tif", "TIFF"},  {"fax", "TIFF"}, {"eps", "EPS"},  {"pcx", "PCX"},
    {"pcc", "PCX"},   {"scr", "PCX"},   {"rpf", "RLA"},  {"rla", "RLA"},  {"sgi", "SGI"},
    {"rgba", "SGI"},  {"rgb", "SGI"},   {"bw", "SGI"},   {"psd", "PSD"},  {"pdd", "PSD"},
    {"ppm", "PNM"},   {"pgm", "PNM"},   {"pbm", "PNM"},  {"cel", "CEL"},  {"pic", "PIC"},
    {"pcd", "PCD"},   {"cut", "CUT"},   {"psp", "PSP"},  {"png", "PNG"},
};

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

const char* CoderFor(const std::string& path) {
    const std::string ext = LowerExtension(path);
    for (const auto& entry : kCoders)
        if (ext == entry.extension) return entry.coder;
    return nullptr;
}

// Starts the library once for the whole process and bounds what a single
// picture may cost, against files that claim or expand to enormous sizes.
void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        using namespace MagickLib;
        constexpr magick_int64_t MiB = 1024 * 1024;
        SetMagickResourceLimit(MemoryResource, 1024 * MiB);
        SetMagickResourceLimit(MapResource, 2048 * MiB);
        SetMagickResourceLimit(DiskResource, 4096 * MiB);
        SetMagickResourceLimit(PixelsResource, kMaxPicturePixels);
        SetMagickResourceLimit(WidthResource, kMaxPictureSide);
        SetMagickResourceLimit(HeightResource, kMaxPictureSide);
    });
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

}  // namespace

RgbaImage ReadPicture(const std::string& path) {
    InitialiseOnce();
    const char* coder = CoderFor(path);
    if (!coder) throw PictureError("Couldn't load picture " + Quoted(path) + ": unknown file type");

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
    if (bytes.empty()) throw PictureError("Couldn't load picture " + Quoted(path) + ": empty file");

    // JPEG photographs, the usual cover art, go straight to the JPEG library:
    // the same decoder, without the general library's 16-bit pixel cache,
    // which made opening large photographs several times slower.
    if (std::string_view(coder) == "JPEG") {
        try {
            return DecodeJpeg(bytes);
        } catch (const std::exception& e) {
            throw PictureError("Couldn't load picture " + Quoted(path) + ": " + e.what());
        }
    }

    try {
        Magick::Blob blob(bytes.data(), bytes.size());
        Magick::Image probe;
        probe.quiet(true);
        probe.subImage(0);
        probe.subRange(1);
        probe.magick(coder);
        probe.ping(blob);
        const std::int64_t width = probe.columns();
        const std::int64_t height = probe.rows();
        if (!PictureSizeAllowed(width, height))
            throw PictureError("Couldn't load picture " + Quoted(path) + ": " +
                               PictureSizeProblem(width, height));

        Magick::Image image;
        image.quiet(true);
        image.subImage(0);
        image.subRange(1);
        image.magick(coder);
        image.read(blob);
        const std::int64_t w = image.columns();
        const std::int64_t h = image.rows();
        if (!PictureSizeAllowed(w, h))
            throw PictureError("Couldn't load picture " + Quoted(path) + ": " +
                               PictureSizeProblem(w, h));
        RgbaImage out(static_cast<int>(w), static_cast<int>(h));
        image.write(0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), "RGBA",
                    Magick::CharPixel, out.pixels.data());
        if (!image.matte())
            for (std::size_t i = 3; i < out.pixels.size(); i += 4) out.pixels[i] = 255;
        return out;
    } catch (const PictureError&) {
        throw;
    } catch (const std::exception& e) {
        throw PictureError("Couldn't load picture " + Quoted(path) + ": " + e.what());
    }
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
    static const std::vector<PictureFormat> formats = {
        {{"bmp", "rle", "dib"}, {"Windows bitmap"}},
        {{"ico"}, {"Windows icon"}},
        {{"wmf", "emf"}, {"Windows metafile"}},
        {{"jfif", "jpg", "jpe", "jpeg"}, {"JFIF images", "JPEG images", "JPE images"}},
        {{"win", "vst", "vda", "tga", "icb"}, {"Truevision images"}},
        {{"tiff", "tif", "fax"},
         {"Tagged image file format images", "Macintosh TIFF images", "PC TIF images",
          "GFI fax images"}},
        {{"eps"}, {"Encapsulated PostScript"}},
        {{"pcx", "pcc", "scr"}, {"ZSoft Paintbrush images", "Word 5.x screen capture images"}},
        {{"rpf", "rla"}, {"Alias/Wavefront images"}},
        {{"sgi", "rgba", "rgb", "bw"},
         {"SGI images", "SGI true color images", "SGI true color images with alpha",
          "SGI black/white images"}},
        {{"psd", "pdd"}, {"Photoshop images"}},
        {{"ppm", "pgm", "pbm"},
         {"Portable pixel map images", "Portable gray map images", "Portable bitmap images"}},
        {{"cel", "pic"}, {"Autodesk images"}},
        {{"pcd"}, {"Kodak Photo-CD images"}},
        {{"cut"}, {"Dr. Halo images"}},
        {{"psp"}, {"Paintshop Pro images"}},
        {{"png"}, {"Portable network graphic images"}},
    };
    return formats;
}

bool IsPictureExtension(const std::string& path) {
    return CoderFor(path) != nullptr;
}

}  // namespace tessaly
