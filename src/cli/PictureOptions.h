// PictureOptions: the options of `render` that say how the picture is stored
// rather than what it shows: size in pixels or in a physical unit at a
// resolution, resolution, JPEG quality, transparency, tile size, standard
// output, progress. Read and checked completely before anything is drawn.
#pragma once

#include <string>

#include "cli/Arguments.h"
#include "core/images/RowWriter.h"

namespace tessaly::cli {

struct PictureOptions {
    std::string output;  // a file, or "-" for standard output
    RowFormat format;
    int width = 800, height = 600;
    int passes = 8;
    int tileSize = 0;  // 0: the program's choice
    bool transparent = false;
    bool quiet = false;
    bool ToStandardOutput() const { return output == "-"; }
};

// "WxH" in pixels, or "WxHin", "WxHmm", "WxHcm" converted at `dpi` (rounded
// to the nearest pixel). Throws UsageError for a malformed size, a physical
// size without a resolution, or a side outside 1..maxSide pixels.
void ParsePictureSize(const std::string& option, const std::string& text, int dpi, int maxSide,
                      int& width, int& height);

// Takes -o/--output, --format, --size, --dpi, --quality, --passes,
// --color-depth, --transparent, --tile-size and --quiet, and checks their
// combination. Throws UsageError saying what is wrong.
PictureOptions ReadPictureOptions(Arguments& args);

}  // namespace tessaly::cli
