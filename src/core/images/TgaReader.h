// TgaReader: reads a Truevision Targa file (uncompressed or run-length
// encoded true colour, 24 or 32 bits) into texture pixels, bottom row first,
// RGB for 24-bit files and RGBA for 32-bit ones.
#pragma once

#include <string>

#include "core/images/TexturePixels.h"

namespace tessaly {

// A missing file gives "File not found  - " + path (caption "TGA Texture").
// Other failures have the caption "TGA File Error": the three "Couldn't load
// \"path\". ..." refusals of the type, colour map and depth, and "Couldn't
// read file \"path\"." for a file that cannot be read, is shorter than its
// header or whose pixel data end early (uncompressed or run-length; data too
// short for the size the header claims are refused before the picture is
// allocated). A packet that would go past the end of the picture is cut there.
TextureReadResult ReadTgaPixels(const std::string& path);

}  // namespace tessaly
