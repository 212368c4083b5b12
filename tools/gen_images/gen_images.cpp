// gen_images: draws the placeholder pictures the program shows until the user
// picks images of their own, and the default floor texture:
//   blank.jpg        512 x 512, the cover faces
//   littleblank.jpg  280 x 400, the book images
//   floor.jpg        256 x 256, tiles seamlessly across the floor
// Usage: gen_images <output folder> [--preview]
// --preview also writes PNG copies of the decoded JPEG files, and the floor
// tiled 3 x 3, for looking at them.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/images/JpegCodec.h"
#include "core/images/PngCodec.h"
#include "core/images/RgbaImage.h"
#include "core/io/FileIO.h"

namespace {

using tessaly::RgbaImage;

struct Colour {
    float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A floating-point RGB canvas; shapes are drawn with 4 x 4 supersampling.
class Canvas {
  public:
    Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, {0, 0, 0}) {}
    int Width() const { return w_; }
    int Height() const { return h_; }
    Colour& At(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }

    // Blends `colour` over the pixels of the box where `inside` holds, by the
    // share of 16 sample points inside, times `opacity`.
    void Fill(float x0, float y0, float x1, float y1, Colour colour, float opacity,
              const std::function<bool(float, float)>& inside) {
        const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
        const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
        const int ix1 = std::min(w_ - 1, static_cast<int>(std::ceil(x1)));
        const int iy1 = std::min(h_ - 1, static_cast<int>(std::ceil(y1)));
        for (int y = iy0; y <= iy1; ++y)
            for (int x = ix0; x <= ix1; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4) ? 1 : 0;
                if (hits) At(x, y) = Mix(At(x, y), colour, opacity * hits / 16.0f);
            }
    }

    RgbaImage ToImage() const {
        RgbaImage img(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const Colour& c = px_[static_cast<std::size_t>(y) * w_ + x];
                std::uint8_t* p = img.Pixel(x, y);
                p[0] = static_cast<std::uint8_t>(std::clamp(std::lround(c.r), 0L, 255L));
                p[1] = static_cast<std::uint8_t>(std::clamp(std::lround(c.g), 0L, 255L));
                p[2] = static_cast<std::uint8_t>(std::clamp(std::lround(c.b), 0L, 255L));
                p[3] = 255;
            }
        return img;
    }

  private:
    int w_, h_;
    std::vector<Colour> px_;
};

// Signed distance from (x, y) to a rounded rectangle (negative inside).
float RoundedBoxDistance(float x, float y, float cx, float cy, float halfW, float halfH,
                         float radius) {
    const float qx = std::fabs(x - cx) - (halfW - radius);
    const float qy = std::fabs(y - cy) - (halfH - radius);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Deterministic pseudo-random value in [0, 1) for integer coordinates.
float Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777216.0f;
}

// Value noise on a lattice of `period` cells that wraps around the picture,
// so the result tiles seamlessly. Returns values in [0, 1).
float TileableNoise(float u, float v, int period, std::uint32_t seed) {
    const float fx = u * period, fy = v * period;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    auto at = [&](int x, int y) {
        return Hash(static_cast<std::uint32_t>(((x % period) + period) % period),
                    static_cast<std::uint32_t>(((y % period) + period) % period), seed);
    };
    const float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return a + (b - a) * sy;
}

// A 5 x 7 dot font for the few capitals the placeholders need.
const std::array<const char*, 7>* Glyph(char c) {
    static const std::array<const char*, 7> A{".###.", "#...#", "#...#", "#####",
                                              "#...#", "#...#", "#...#"};
    static const std::array<const char*, 7> E{"#####", "#....", "#....", "####.",
                                              "#....", "#....", "#####"};
    static const std::array<const char*, 7> G{".###.", "#...#", "#....", "#.###",
                                              "#...#", "#...#", ".###."};
    static const std::array<const char*, 7> H{"#...#", "#...#", "#...#", "#####",
                                              "#...#", "#...#", "#...#"};
    static const std::array<const char*, 7> I{".###.", "..#..", "..#..", "..#..",
                                              "..#..", "..#..", ".###."};
    static const std::array<const char*, 7> M{"#...#", "##.##", "#.#.#", "#.#.#",
                                              "#...#", "#...#", "#...#"};
    static const std::array<const char*, 7> O{".###.", "#...#", "#...#", "#...#",
                                              "#...#", "#...#", ".###."};
    static const std::array<const char*, 7> R{"####.", "#...#", "#...#", "####.",
                                              "#.#..", "#..#.", "#...#"};
    static const std::array<const char*, 7> U{"#...#", "#...#", "#...#", "#...#",
                                              "#...#", "#...#", ".###."};
    static const std::array<const char*, 7> Y{"#...#", "#...#", ".#.#.", "..#..",
                                              "..#..", "..#..", "..#.."};
    switch (c) {
        case 'A':
            return &A;
        case 'E':
            return &E;
        case 'G':
            return &G;
        case 'H':
            return &H;
        case 'I':
            return &I;
        case 'M':
            return &M;
        case 'O':
            return &O;
        case 'R':
            return &R;
        case 'U':
            return &U;
        case 'Y':
            return &Y;
        default:
            return nullptr;
    }
}

// Draws `text` centred on (cx, top) with dots of `cell` pixels; letters are
// spaced by `tracking` cells.
void DrawText(Canvas& canvas, const std::string& text, float cx, float top, float cell,
              Colour colour, float tracking = 1.6f) {
    const float advance = (5 + tracking) * cell;
    const float width = text.size() * advance - tracking * cell;
    float x = cx - width / 2;
    for (char c : text) {
        if (const auto* glyph = Glyph(c)) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col) {
                    if ((*glyph)[row][col] != '#') continue;
                    // Each dot is a square touching its neighbours: solid strokes.
                    const float dx = x + col * cell, dy = top + row * cell;
                    const float half = cell * 0.5f;
                    canvas.Fill(dx, dy, dx + cell, dy + cell, colour, 1.0f,
                                [&](float px, float py) {
                                    return std::fabs(px - dx - half) <= half &&
                                           std::fabs(py - dy - half) <= half;
                                });
                }
        }
        x += advance;
    }
}

// A picture pictogram: a rounded frame holding a sun and two hills.
void DrawPictogram(Canvas& canvas, float cx, float cy, float size, Colour colour) {
    const float halfW = size * 0.5f, halfH = size * 0.38f, line = size * 0.045f;
    canvas.Fill(cx - halfW - 2, cy - halfH - 2, cx + halfW + 2, cy + halfH + 2, colour, 1.0f,
                [&](float x, float y) {
                    return std::fabs(RoundedBoxDistance(x, y, cx, cy, halfW - line / 2,
                                                        halfH - line / 2, size * 0.08f)) < line / 2;
                });
    const float innerL = cx - halfW + line * 2, innerR = cx + halfW - line * 2;
    const float innerB = cy + halfH - line * 2;
    const float sunX = cx + size * 0.2f, sunY = cy - size * 0.14f, sunR = size * 0.075f;
    canvas.Fill(sunX - sunR, sunY - sunR, sunX + sunR, sunY + sunR, colour, 1.0f,
                [&](float x, float y) {
                    return (x - sunX) * (x - sunX) + (y - sunY) * (y - sunY) < sunR * sunR;
                });
    // Hills: a tall one on the left, a lower one to the right, with soft tops.
    auto hill = [&](float peakX, float peakY, float halfBase) {
        canvas.Fill(std::max(innerL, peakX - halfBase), peakY, std::min(innerR, peakX + halfBase),
                    innerB, colour, 1.0f, [=](float x, float y) {
                        if (x < innerL || x > innerR || y > innerB) return false;
                        const float t = std::fabs(x - peakX) / halfBase;
                        const float top = peakY + (innerB - peakY) * t * (0.6f + 0.4f * t);
                        return y >= top;
                    });
    };
    hill(cx - size * 0.12f, cy - size * 0.12f, size * 0.42f);
    hill(cx + size * 0.22f, cy + size * 0.04f, size * 0.3f);
}

// Light grey with a gentle vertical gradient and a soft darkening towards the
// edges, a dashed rounded frame, the pictogram and the text lines.
RgbaImage DrawPlaceholder(int w, int h, const std::vector<std::string>& lines, float cell) {
    Canvas canvas(w, h);
    const Colour top{238, 239, 241}, bottom{220, 222, 226};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = Mix(top, bottom, static_cast<float>(y) / (h - 1));
            const float nx = (x + 0.5f) / w - 0.5f, ny = (y + 0.5f) / h - 0.5f;
            const float shade = 1.0f - 0.10f * std::pow(nx * nx + ny * ny, 1.2f) * 2.5f;
            canvas.At(x, y) = {c.r * shade, c.g * shade, c.b * shade};
        }

    const Colour ink{150, 156, 166};
    // Dashed frame: dashes along the straight sides, solid rounded corners.
    const float inset = std::min(w, h) * 0.07f, radius = std::min(w, h) * 0.06f;
    const float line = std::max(2.0f, std::min(w, h) * 0.008f);
    const float dash = line * 5, gap = line * 3.5f;
    const float cx = w / 2.0f, cy = h / 2.0f, halfW = w / 2.0f - inset, halfH = h / 2.0f - inset;
    canvas.Fill(0, 0, w, h, ink, 0.9f, [&](float x, float y) {
        if (std::fabs(RoundedBoxDistance(x, y, cx, cy, halfW, halfH, radius)) >= line / 2)
            return false;
        const bool alongTop = std::fabs(x - cx) < halfW - radius;
        const bool alongSide = std::fabs(y - cy) < halfH - radius;
        if (!alongTop && !alongSide) return true;  // corner
        const float along = alongTop ? std::fabs(x - cx) : std::fabs(y - cy);
        return std::fmod(along + dash / 2, dash + gap) < dash;
    });

    const float textHeight = lines.size() * 7 * cell + (lines.size() - 1) * 4 * cell;
    const float iconSize = std::min(w, h) * 0.36f;
    const float blockHeight = iconSize * 0.76f + cell * 8 + textHeight;
    const float blockTop = cy - blockHeight / 2;
    DrawPictogram(canvas, cx, blockTop + iconSize * 0.38f, iconSize, ink);
    float y = blockTop + iconSize * 0.76f + cell * 8;
    for (const auto& text : lines) {
        DrawText(canvas, text, cx, y, cell, ink);
        y += 11 * cell;
    }
    return canvas.ToImage();
}

// Light, neutral stone: a few octaves of tileable noise over a fine grain,
// with no large features and low contrast, so that the many repeats across
// the floor show no pattern.
RgbaImage DrawFloor(int size) {
    Canvas canvas(size, size);
    const Colour base{216, 212, 205};
    const float weights[] = {0.30f, 0.30f, 0.24f, 0.16f};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
            float n = 0;
            for (int octave = 0, period = 8; octave < 4; ++octave, period *= 2)
                n += weights[octave] * (TileableNoise(u, v, period, 11 + octave) - 0.5f);
            const float grain = Hash(x, y, 7) - 0.5f;
            const float delta = n * 16.0f + grain * 5.0f;
            canvas.At(x, y) = {base.r + delta, base.g + delta * 0.98f, base.b + delta * 0.95f};
        }
    return canvas.ToImage();
}

void Save(const std::filesystem::path& path, const RgbaImage& image) {
    tessaly::WriteFileAtomically(path,
                                 [&](std::ostream& out) { tessaly::WriteJpeg(image, 92, out); });
}

void WritePreview(const std::filesystem::path& jpeg, int repeat) {
    const RgbaImage tile = tessaly::DecodeJpegFile(jpeg.string());
    RgbaImage out(tile.width * repeat, tile.height * repeat);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            std::copy_n(tile.Pixel(x % tile.width, y % tile.height), 4, out.Pixel(x, y));
    std::filesystem::path png = jpeg;
    png.replace_extension(".png");
    tessaly::WriteFileAtomically(png, [&](std::ostream& o) { tessaly::WritePng(out, o); });
}

}  // namespace

int main(int argc, char** argv) {
    const bool preview = argc == 3 && std::string(argv[2]) == "--preview";
    if (argc != 2 && !preview) {
        std::fprintf(stderr, "usage: gen_images <output folder> [--preview]\n");
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        Save(dir / "blank.jpg", DrawPlaceholder(512, 512, {"YOUR IMAGE HERE"}, 4.0f));
        Save(dir / "littleblank.jpg", DrawPlaceholder(280, 400, {"YOUR IMAGE", "HERE"}, 3.0f));
        Save(dir / "floor.jpg", DrawFloor(256));
        if (preview) {
            WritePreview(dir / "blank.jpg", 1);
            WritePreview(dir / "littleblank.jpg", 1);
            WritePreview(dir / "floor.jpg", 3);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_images: %s\n", e.what());
        return 1;
    }
    return 0;
}
