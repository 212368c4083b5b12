// PictureExport: the window's scene drawn at any size through the tiled
// picture path, the same the command line uses: into a file as chosen for
// File > Export Picture..., or into memory with a transparent background for
// the clipboard. The scene is drawn as the window shows it (its look, cover
// and light); only the size, the passes and the background differ.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/export/ExportChoices.h"
#include "core/images/RgbaImage.h"
#include "render/PictureRender.h"

namespace tessaly {

class RenderSession;

// Draws the picture with 8 passes and writes it to `path` under a temporary
// name, renamed over `path` only once complete: a failure or a cancel
// (`progress` returning false: RenderCancelled) leaves no file behind and an
// older file at `path` as it was. The session's GL context must be current.
// Throws CaptureError, RenderCancelled, RowWriteError or FileError.
void ExportPictureFile(RenderSession& session, const ExportChoices& choices,
                       const std::string& path, const TileProgress& progress = {});

// The picture at width x height with 8 passes over a transparent background
// (straight, not premultiplied, alpha). Throws CaptureError.
RgbaImage RenderTransparentPicture(RenderSession& session, int width, int height);

// A picture as the bytes of a PNG file with its alpha channel.
std::vector<std::uint8_t> PngWithAlpha(const RgbaImage& picture);

}  // namespace tessaly
