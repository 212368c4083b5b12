#include "core/images/PictureFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace tessaly {

namespace {

bool StartsWith(std::span<const std::uint8_t> head, std::string_view prefix, std::size_t at = 0) {
    return head.size() >= at + prefix.size() &&
           std::memcmp(head.data() + at, prefix.data(), prefix.size()) == 0;
}

// The text at the start of `head` after a byte-order mark and blanks, lower
// case, at most 256 bytes: enough to tell markup and drawing scripts apart.
std::string LeadingText(std::span<const std::uint8_t> head) {
    std::size_t at = StartsWith(head, "\xEF\xBB\xBF") ? 3 : 0;
    while (at < head.size() && std::isspace(head[at])) ++at;
    std::string text;
    for (; at < head.size() && text.size() < 256; ++at)
        text.push_back(static_cast<char>(std::tolower(head[at])));
    return text;
}

struct Signature {
    const char* name;
    bool (*matches)(std::span<const std::uint8_t>);
};

// Signatures of the accepted formats first, then of formats that are refused
// but worth naming when a file holds them under another name.
const Signature kSignatures[] = {
    {"PNG", [](auto h) { return StartsWith(h, "\x89PNG\r\n\x1A\n"); }},
    {"JPEG", [](auto h) { return StartsWith(h, "\xFF\xD8\xFF"); }},
    {"BMP", [](auto h) { return StartsWith(h, "BM") || StartsWith(h, "BA"); }},
    {"ICO", [](auto h) { return StartsWith(h, std::string_view("\0\0\1\0", 4)); }},
    {"TIFF",
     [](auto h) {
         return StartsWith(h, std::string_view("II*\0", 4)) ||
                StartsWith(h, std::string_view("MM\0*", 4)) ||
                StartsWith(h, std::string_view("II+\0", 4)) ||
                StartsWith(h, std::string_view("MM\0+", 4));
     }},
    {"PCX",
     [](auto h) {
         return h.size() >= 128 && h[0] == 0x0A && h[1] <= 5 && h[2] <= 1 &&
                (h[3] == 1 || h[3] == 2 || h[3] == 4 || h[3] == 8);
     }},
    {"SGI", [](auto h) { return StartsWith(h, "\x01\xDA"); }},
    {"PNM", [](auto h) { return h.size() >= 3 && h[0] == 'P' && h[1] >= '1' && h[1] <= '6'; }},
    {"PCD", [](auto h) { return StartsWith(h, "PCD_IPI", 2048); }},
    {"GIF", [](auto h) { return StartsWith(h, "GIF87a") || StartsWith(h, "GIF89a"); }},
    {"WebP", [](auto h) { return StartsWith(h, "RIFF") && StartsWith(h, "WEBP", 8); }},
    {"PDF", [](auto h) { return StartsWith(h, "%PDF"); }},
    {"PostScript", [](auto h) { return StartsWith(h, "%!") || StartsWith(h, "\xC5\xD0\xD3\xC6"); }},
    {"MIFF", [](auto h) { return LeadingText(h).starts_with("id=imagemagick"); }},
    {"XPM", [](auto h) { return LeadingText(h).starts_with("/* xpm */"); }},
    {"SVG",
     [](auto h) {
         const std::string t = LeadingText(h);
         return t.starts_with("<svg") || t.starts_with("<?xml") || t.starts_with("<!doctype svg") ||
                t.starts_with("<!--");
     }},
    {"MVG",
     [](auto h) {
         const std::string t = LeadingText(h);
         return t.starts_with("push graphic-context") || t.starts_with("viewbox");
     }},
    {"Photoshop", [](auto h) { return StartsWith(h, "8BPS"); }},
    {"Windows metafile",
     [](auto h) {
         return StartsWith(h, "\xD7\xCD\xC6\x9A") || StartsWith(h, " EMF", 40) ||
                StartsWith(h, std::string_view("\1\0\x09\0", 4)) ||
                StartsWith(h, std::string_view("\2\0\x09\0", 4));
     }},
    {"MNG", [](auto h) { return StartsWith(h, "\x8AMNG") || StartsWith(h, "\x8BJNG"); }},
    {"HEIF", [](auto h) { return StartsWith(h, "ftyp", 4); }},
    {"JPEG XL",
     [](auto h) {
         return StartsWith(h, "\xFF\x0A") || StartsWith(h, std::string_view("\0\0\0\x0CJXL ", 8));
     }},
    {"GIMP", [](auto h) { return StartsWith(h, "gimp xcf"); }},
};

// Targa files have no signature; a header is plausible when its colour-map
// type, image type, depth and size fit together.
bool PlausibleTarga(std::span<const std::uint8_t> h) {
    if (h.size() < 18) return false;
    const std::uint8_t mapType = h[1];
    const std::uint8_t type = h[2];
    const int width = h[12] | (h[13] << 8);
    const int height = h[14] | (h[15] << 8);
    const std::uint8_t bits = h[16];
    const bool mapped = type == 1 || type == 9;
    const bool known = mapped || type == 2 || type == 3 || type == 10 || type == 11;
    if (!known || mapType > 1 || (mapped && mapType != 1)) return false;
    if (bits != 8 && bits != 15 && bits != 16 && bits != 24 && bits != 32) return false;
    return width > 0 && height > 0;
}

}  // namespace

const std::vector<AcceptedFormat>& AcceptedFormats() {
    using enum PictureDecoder;
    static const std::vector<AcceptedFormat> formats = {
        {"BMP", "BMP", Magick, {"bmp", "rle", "dib"}, {"Windows bitmap"}},
        {"ICO", "ICO", Magick, {"ico"}, {"Windows icon"}},
        {"JPEG",
         "JPEG",
         Jpeg,
         {"jfif", "jpg", "jpe", "jpeg"},
         {"JFIF images", "JPEG images", "JPE images"}},
        {"Targa", "TGA", Magick, {"win", "vst", "vda", "tga", "icb"}, {"Truevision images"}},
        {"TIFF",
         "TIFF",
         Magick,
         {"tiff", "tif", "fax"},
         {"Tagged image file format images", "Macintosh TIFF images", "PC TIF images",
          "GFI fax images"}},
        {"PCX",
         "PCX",
         Magick,
         {"pcx", "pcc", "scr"},
         {"ZSoft Paintbrush images", "Word 5.x screen capture images"}},
        {"SGI",
         "SGI",
         Magick,
         {"sgi", "rgba", "rgb", "bw"},
         {"SGI images", "SGI true color images", "SGI true color images with alpha",
          "SGI black/white images"}},
        {"PNM",
         "PNM",
         Magick,
         {"ppm", "pgm", "pbm"},
         {"Portable pixel map images", "Portable gray map images", "Portable bitmap images"}},
        {"PCD", "PCD", Magick, {"pcd"}, {"Kodak Photo-CD images"}},
        {"PNG", "PNG", Png, {"png"}, {"Portable network graphic images"}},
    };
    return formats;
}

const AcceptedFormat* FormatForPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (ext.empty()) return nullptr;
    ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const AcceptedFormat& format : AcceptedFormats())
        if (std::find(format.extensions.begin(), format.extensions.end(), ext) !=
            format.extensions.end())
            return &format;
    return nullptr;
}

std::string ContentFormatName(std::span<const std::uint8_t> head) {
    for (const Signature& s : kSignatures)
        if (s.matches(head)) return s.name;
    return {};
}

bool ContentMatches(const AcceptedFormat& format, std::span<const std::uint8_t> head) {
    if (std::string_view(format.name) == "Targa")
        return PlausibleTarga(head) && ContentFormatName(head).empty();
    for (const Signature& s : kSignatures)
        if (std::string_view(s.name) == format.name) return s.matches(head);
    return false;
}

}  // namespace tessaly
