#include "render/PictureRender.h"

#include <algorithm>
#include <string>
#include <vector>

#include "render/RenderTarget.h"

namespace tessaly {

namespace {

// One band of tiles across the picture is kept; its height is cut so that
// the band stays within this many bytes however wide the picture is.
constexpr std::int64_t kBandBudget = 96ll << 20;

void ReadTile(GLuint framebuffer, int width, int height, std::uint8_t* out) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, out);
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
}

}  // namespace

TileGrid PlanTiles(int width, int height, int tileSize, int maxSide, std::int64_t tilePixels) {
    int tile = tileSize > 0 ? tileSize : kDefaultTileSize;
    tile = std::max(1, std::min(tile, maxSide));
    if (tileSize <= 0) {
        // The program's choice: tiles as wide as the picture (up to the
        // default side), in bands of equal height cut so that a tile holds
        // at most tilePixels. Small targets are cheap to make and keep the
        // memory of the accumulation and read-back low; full-width bands
        // keep the count of tiles, each a full pass of the scene, small.
        const int width1 = std::min(width, tile);
        const int rowsMax =
            static_cast<int>(std::clamp<std::int64_t>(tilePixels / width1, 16, tile));
        const int bands = (height + rowsMax - 1) / rowsMax;
        const int height1 = (height + bands - 1) / bands;
        const int columns = (width + width1 - 1) / width1;
        if (columns == 1 && bands == 1) return {width, height, 1, 1};
        return {width1, height1, columns, bands};
    }
    TileGrid g{};
    if (width <= tile && height <= tile) return {width, height, 1, 1};
    g.tileWidth = std::min(tile, width);
    const std::int64_t bandRows = kBandBudget / (std::int64_t{width} * 4);
    g.tileHeight = static_cast<int>(std::clamp<std::int64_t>(bandRows, 16, tile));
    g.tileHeight = std::min(g.tileHeight, height);
    g.columns = (width + g.tileWidth - 1) / g.tileWidth;
    g.bands = (height + g.tileHeight - 1) / g.tileHeight;
    return g;
}

void UnblendPixel(const std::uint8_t* k, const std::uint8_t* w, std::uint8_t* out) {
    // Over black a pixel shows a x colour, over white a x colour + (1 - a);
    // the difference is 1 - a. The channels' mean is taken, as rounding may
    // differ between them.
    int diff = 0;
    for (int c = 0; c < 3; ++c) diff += std::max(0, w[c] - k[c]);
    const int alpha = std::clamp(255 - (diff + 1) / 3, 0, 255);
    for (int c = 0; c < 3; ++c)
        out[c] = alpha == 0
                     ? 0
                     : static_cast<std::uint8_t>(std::min(255, (k[c] * 255 + alpha / 2) / alpha));
    out[3] = static_cast<std::uint8_t>(alpha);
}

void RenderPicture(FrameDriver& frames, TGLContext& context, Scene& scene,
                   const PictureRequest& request, RowWriter& rows, const TileProgress& progress) {
    const int W = request.width, H = request.height;
    if (W <= 0 || H <= 0 || W > kMaxRenderSide || H > kMaxRenderSide)
        throw CaptureError("A picture must be 1 to " + std::to_string(kMaxRenderSide) +
                           " pixels a side, not " + std::to_string(W) + " x " + std::to_string(H) +
                           ".");
    const TileGrid grid =
        PlanTiles(W, H, request.tileSize, MaxRenderTargetSide(), request.tilePixels);
    const int tw = grid.tileWidth, th = grid.tileHeight;

    GLint previousFbo = 0;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo);
    glGetIntegerv(GL_VIEWPORT, viewport);
    SceneSettings& settings = scene.Settings;
    const int previousPasses = settings.AAPasses;
    const Rgb previousBackground = settings.BackgroundColor;
    const bool previousHidden = scene.FloorSurfaceHidden;
    auto restore = [&] {
        settings.AAPasses = previousPasses;
        settings.BackgroundColor = previousBackground;
        scene.FloorSurfaceHidden = previousHidden;
        frames.Window.reset();
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
        context.Reshape(viewport[2], viewport[3]);
    };

    const std::size_t tileBytes = static_cast<std::size_t>(tw) * th * 4;
    const std::size_t rowBytes = static_cast<std::size_t>(W) * 4;
    std::vector<std::uint8_t> band(rowBytes * th);
    std::vector<std::uint8_t> tile(tileBytes);
    std::vector<std::uint8_t> overWhite(request.transparent ? tileBytes : 0);
    RenderTarget target;

    auto drawTile = [&](int left, int bottom, std::uint8_t* out) {
        target.Bind();
        context.Reshape(tw, th);
        if (grid.Whole())
            frames.Window.reset();
        else
            frames.Window = FrameDriver::PictureWindow{W, H, left, bottom};
        frames.RenderFrame(false);
        ReadTile(target.Framebuffer(), tw, th, out);
    };

    try {
        if (!target.Ensure(tw, th))
            throw CaptureError("A tile of " + std::to_string(tw) + " x " + std::to_string(th) +
                               " pixels is larger than this OpenGL driver can draw (at most " +
                               std::to_string(MaxRenderTargetSide()) + " a side).");
        settings.AAPasses = std::clamp(request.passes, 1, 8);
        if (request.transparent) scene.FloorSurfaceHidden = true;
        const int total = grid.columns * grid.bands;
        int done = 0;
        for (int b = 0; b < grid.bands; ++b) {
            // Bands go top to bottom, or bottom to top for a writer that
            // stores its bottom row first; GL counts rows from the bottom.
            const int bottom = rows.BottomUp() ? b * th : std::max(0, H - (b + 1) * th);
            const int top = rows.BottomUp() ? std::min(H, (b + 1) * th) : H - b * th;
            const int bandRows = top - bottom;
            // A band cut short at the picture's edge still draws whole tiles
            // (one target size throughout); the rows beyond are dropped.
            const int drawBottom = top - th;
            for (int c = 0; c < grid.columns; ++c) {
                const int left = c * tw;
                if (request.transparent) {
                    settings.BackgroundColor = {0.0f, 0.0f, 0.0f};
                    drawTile(left, drawBottom, tile.data());
                    settings.BackgroundColor = {1.0f, 1.0f, 1.0f};
                    drawTile(left, drawBottom, overWhite.data());
                    for (std::size_t i = 0; i < tileBytes; i += 4)
                        UnblendPixel(&tile[i], &overWhite[i], &tile[i]);
                } else {
                    drawTile(left, drawBottom, tile.data());
                    for (std::size_t i = 3; i < tileBytes; i += 4) tile[i] = 255;
                }
                const int columns = std::min(tw, W - left);
                for (int r = 0; r < bandRows; ++r) {
                    const std::uint8_t* src =
                        tile.data() +
                        (static_cast<std::size_t>(r + (bottom - drawBottom)) * tw) * 4;
                    std::copy(src, src + static_cast<std::size_t>(columns) * 4,
                              band.data() + static_cast<std::size_t>(r) * rowBytes +
                                  static_cast<std::size_t>(left) * 4);
                }
                ++done;
                if (progress && !progress(done, total)) throw RenderCancelled();
            }
            // Band row 0 is the band's bottom row.
            for (int i = 0; i < bandRows; ++i) {
                const int r = rows.BottomUp() ? i : bandRows - 1 - i;
                rows.WriteRow(band.data() + static_cast<std::size_t>(r) * rowBytes);
            }
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    rows.Finish();
}

}  // namespace tessaly
