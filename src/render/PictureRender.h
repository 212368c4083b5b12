// PictureRender: a picture of any size, drawn tile by tile and handed to a
// row writer as its rows are finished. Each tile is the same camera with an
// off-centre projection and the antialiasing jitter in picture pixels, so the
// tiles join without seams and the result equals a picture drawn in one
// piece; memory holds one band of tiles, not the picture. With a transparent
// background each tile is drawn twice, over black and over white with the
// floor surface hidden, and the two give alpha and straight colour.
#pragma once

#include <cstdint>
#include <functional>

#include "core/images/RowWriter.h"
#include "render/Capture.h"
#include "render/Frame.h"
#include "render/Scene.h"

namespace tessaly {

// The most pixels of a tile the program chooses by itself. Each tile draws
// the whole scene once per pass, so larger tiles draw faster (a box of books
// or a spiral has many triangles to go through for each tile), while every
// pixel of a tile costs about 60 bytes of targets while it is drawn. One
// picture keeps its memory low; a batch, which holds its pictures and models
// anyway, draws faster in tiles twice as large.
inline constexpr std::int64_t kLeanTilePixels = std::int64_t{1} << 17;
inline constexpr std::int64_t kThroughputTilePixels = std::int64_t{1} << 19;

struct PictureRequest {
    int width = 0;
    int height = 0;
    int passes = 8;    // antialiasing passes, 1 to 8
    int tileSize = 0;  // 0: chosen by the program, within tilePixels
    std::int64_t tilePixels = kLeanTilePixels;
    bool transparent = false;
};

inline constexpr int kMaxRenderSide = 30000;
inline constexpr int kDefaultTileSize = 2048;

// Called after each drawn tile with the tiles done and the tiles in all;
// returning false stops the picture (RenderCancelled).
using TileProgress = std::function<bool(int done, int total)>;

class RenderCancelled : public CaptureError {
  public:
    RenderCancelled() : CaptureError("The picture was cancelled.") {}
};

// The tile grid for a request: tile width and height (the height may be
// lower than the width so that one band stays within its memory budget).
struct TileGrid {
    int tileWidth, tileHeight, columns, bands;
    bool Whole() const { return columns == 1 && bands == 1; }
};
TileGrid PlanTiles(int width, int height, int tileSize, int maxSide,
                   std::int64_t tilePixels = kLeanTilePixels);

// Draws the picture and writes every row to `rows`, then finishes it. The
// frame driver's pass count and window, the scene's background and floor,
// the framebuffer, viewport and projection are restored afterwards, also on
// failure. Throws CaptureError when a tile cannot be drawn, RenderCancelled
// when `progress` says stop, and the writer's errors.
void RenderPicture(FrameDriver& frames, TGLContext& context, Scene& scene,
                   const PictureRequest& request, RowWriter& rows,
                   const TileProgress& progress = {});

// Straight colour and alpha from one pixel drawn over black and over white.
void UnblendPixel(const std::uint8_t* overBlack, const std::uint8_t* overWhite, std::uint8_t* rgba);

}  // namespace tessaly
