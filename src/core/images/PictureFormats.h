// PictureFormats: the formats a picture may be in, and what a file's first
// bytes say it holds. A picture is accepted only when its extension names one
// of these formats and its content carries that format's signature; the
// formats that can run programs, read other files or that this build cannot
// decode are not in the list at all. The file dialogs' filters are built from
// the same list, so what is offered is what can be read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

// The decoders behind the accepted formats.
enum class PictureDecoder {
    Jpeg,    // libjpeg, with scaled decoding
    Png,     // libpng, reduced row by row
    Magick,  // the general picture library, with the coder forced and no file access
};

struct AcceptedFormat {
    const char* name;   // shown in messages: "PNG", "JPEG", ...
    const char* coder;  // the picture library's coder when `decoder` is Magick
    PictureDecoder decoder;
    std::vector<std::string> extensions;    // lower case, no dot
    std::vector<std::string> descriptions;  // as the picture dialog shows them
};

// Every accepted format, in the order the picture dialog lists them.
const std::vector<AcceptedFormat>& AcceptedFormats();

// The accepted format named by `path`'s extension (any letter case), or null.
const AcceptedFormat* FormatForPath(const std::string& path);

// The name of the format `head` (a file's first bytes; 64 are enough) holds,
// from the signatures of the accepted formats and of formats that are refused
// (SVG, PostScript, PDF, GIF, WebP, MIFF, XPM, ...); empty when none matches.
std::string ContentFormatName(std::span<const std::uint8_t> head);

// True when `head` carries the signature of `format`. For Targa, which has
// no signature, true when the header is a plausible Targa header and the
// bytes do not hold any other known format.
bool ContentMatches(const AcceptedFormat& format, std::span<const std::uint8_t> head);

}  // namespace tessaly
