// PictureSize: a picture size in pixels ("1920x1080") or a print size in
// inches, millimetres or centimetres ("6x9in", "210x297mm", "10x15cm")
// turned into pixels at a resolution.
#pragma once

#include <string>

#include "cli/Arguments.h"

namespace tessaly::cli {

// True when `text` ends in a physical unit (in, mm, cm).
bool IsPrintSize(const std::string& text);

// "WxH" in pixels, or "WxHin", "WxHmm", "WxHcm" converted at `dpi` (rounded
// to the nearest pixel). Throws UsageError for a malformed size, a physical
// size without a resolution, or a side outside 1..maxSide pixels.
void ParsePictureSize(const std::string& option, const std::string& text, int dpi, int maxSide,
                      int& width, int& height);

}  // namespace tessaly::cli
