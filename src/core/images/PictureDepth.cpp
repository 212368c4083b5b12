#include "core/images/PictureDepth.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "core/images/BmpWriter.h"
#include "core/images/JpegCodec.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"

namespace tessaly {

void ReduceToDepth(RgbaImage& image, int bitsPerPixel) {
    if (bitsPerPixel != 16) return;
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        std::uint8_t* p = image.pixels.data() + i;
        const unsigned r = p[0] >> 3, g = p[1] >> 2, b = p[2] >> 3;
        p[0] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
        p[1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
        p[2] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
    }
}

void WritePicture(const RgbaImage& image, PictureFileType type, int bitsPerPixel,
                  std::ostream& out) {
    switch (type) {
        case PictureFileType::Bmp:
            WriteBmp(image, bitsPerPixel, out);
            return;
        case PictureFileType::Jpeg:
        case PictureFileType::Png: {
            const RgbaImage* source = &image;
            RgbaImage reduced;
            if (bitsPerPixel == 16) {
                reduced = image;
                ReduceToDepth(reduced, 16);
                source = &reduced;
            }
            if (type == PictureFileType::Jpeg)
                WriteJpeg(*source, kCaptureJpegQuality, out);
            else
                WritePng(*source, out);
            return;
        }
    }
    throw std::invalid_argument("Unknown picture file type");
}

void SavePicture(const RgbaImage& image, PictureFileType type, int bitsPerPixel,
                 const std::string& path) {
    WriteFileAtomically(path,
                        [&](std::ostream& out) { WritePicture(image, type, bitsPerPixel, out); });
}

PictureFileType PictureTypeFromExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".bmp") return PictureFileType::Bmp;
    if (ext == ".jpg" || ext == ".jpeg") return PictureFileType::Jpeg;
    if (ext == ".png") return PictureFileType::Png;
    throw std::invalid_argument("Unknown picture file type for \"" + path +
                                "\" (use .bmp, .jpg, .jpeg or .png)");
}

}  // namespace tessaly
