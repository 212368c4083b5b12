// sample_art: test artwork for looking at the cover models, and a simple
// picture tiler. "sample_art art FOLDER" writes front, back, side, top and
// label pictures (each with its name, an upward arrow and a red top-left
// corner, so a mirrored or upside-down face shows at a glance);
// "sample_art tile OUT COLUMNS CAPTION=PICTURE..." tiles pictures into one PNG
// with a caption under each.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/images/PictureReader.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"
#include "core/model/EmoModel.h"
#include "core/model/EmoWriter.h"

namespace {

using tessaly::RgbaImage;

// A 5 x 7 font: each glyph is 7 rows of 5 bits, the top row first.
struct Glyph {
    char c;
    unsigned char rows[7];
};
constexpr Glyph kFont[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {30, 17, 17, 17, 17, 17, 30}},
    {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'J', {7, 2, 2, 2, 2, 18, 12}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},
    {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {30, 1, 1, 14, 1, 1, 30}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},
    {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
};

void Fill(RgbaImage& img, int x0, int y0, int x1, int y1, const unsigned char rgb[3]) {
    for (int y = std::max(0, y0); y < std::min(img.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(img.width, x1); ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = rgb[0], p[1] = rgb[1], p[2] = rgb[2], p[3] = 255;
        }
}

int TextWidth(const std::string& text, int scale) {
    return static_cast<int>(text.size()) * 6 * scale - scale;
}

void DrawText(RgbaImage& img, const std::string& text, int x, int y, int scale,
              const unsigned char rgb[3]) {
    for (char ch : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        for (const Glyph& g : kFont)
            if (g.c == c)
                for (int row = 0; row < 7; ++row)
                    for (int col = 0; col < 5; ++col)
                        if (g.rows[row] & (16 >> col))
                            Fill(img, x + col * scale, y + row * scale, x + (col + 1) * scale,
                                 y + (row + 1) * scale, rgb);
        x += 6 * scale;
    }
}

void WritePicture(const RgbaImage& img, const std::filesystem::path& path) {
    tessaly::WriteFileAtomically(path, [&](std::ostream& out) { tessaly::WritePng(img, out); });
}

RgbaImage Artwork(const std::string& name, int w, int h, const unsigned char top[3],
                  const unsigned char bottom[3]) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(h - 1);
        unsigned char c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = static_cast<unsigned char>(top[i] + (bottom[i] - top[i]) * t);
        Fill(img, 0, y, w, y + 1, c);
    }
    const unsigned char white[3] = {255, 255, 255}, red[3] = {220, 30, 30};
    const int border = std::max(2, std::min(w, h) / 40);
    Fill(img, 0, 0, w, border, white);
    Fill(img, 0, h - border, w, h, white);
    Fill(img, 0, 0, border, h, white);
    Fill(img, w - border, 0, w, h, white);
    const int corner = std::max(4, std::min(w, h) / 8);
    Fill(img, 0, 0, corner, corner, red);
    // The name, as large as fits, and an arrow pointing up below it.
    int scale = std::max(1, (w - 2 * corner) / TextWidth(name, 1));
    scale = std::min(scale, std::max(1, h / 12));
    DrawText(img, name, (w - TextWidth(name, scale)) / 2, h / 3, scale, white);
    const int cx = w / 2, ay = h / 3 + 10 * scale, ah = std::min(h / 4, w / 2);
    for (int i = 0; i < ah / 2; ++i) Fill(img, cx - i, ay + i, cx + i + 1, ay + i + 1, white);
    Fill(img, cx - ah / 8, ay + ah / 2, cx + ah / 8 + 1, ay + ah, white);
    return img;
}

int Art(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const unsigned char blue[3] = {40, 80, 170}, navy[3] = {10, 20, 60};
    const unsigned char orange[3] = {230, 120, 20}, brown[3] = {120, 40, 10};
    const unsigned char green[3] = {40, 150, 80}, dark[3] = {10, 60, 30};
    const unsigned char purple[3] = {130, 50, 160}, plum[3] = {50, 10, 60};
    WritePicture(Artwork("FRONT", 400, 500, blue, navy), folder / "front.png");
    WritePicture(Artwork("WIDE", 500, 400, blue, navy), folder / "wide.png");
    WritePicture(Artwork("BACK", 400, 500, green, dark), folder / "back.png");
    WritePicture(Artwork("SIDE", 100, 500, orange, brown), folder / "side.png");
    WritePicture(Artwork("TOP", 400, 200, purple, plum), folder / "top.png");
    WritePicture(Artwork("LABEL", 400, 400, orange, purple), folder / "label.png");
    return 0;
}

int Tile(const std::filesystem::path& out, int columns, const std::vector<std::string>& items) {
    struct Cell {
        std::string caption;
        RgbaImage picture;
    };
    std::vector<Cell> cells;
    int cw = 0, ch = 0;
    for (const std::string& item : items) {
        const auto eq = item.find('=');
        Cell cell{eq == std::string::npos ? "" : item.substr(0, eq),
                  tessaly::ReadPicture(eq == std::string::npos ? item : item.substr(eq + 1))};
        cw = std::max(cw, cell.picture.width);
        ch = std::max(ch, cell.picture.height);
        cells.push_back(std::move(cell));
    }
    if (cells.empty() || columns < 1) return 2;
    constexpr int kCaption = 24, kGap = 4;
    const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
    RgbaImage sheet(columns * (cw + kGap) + kGap, rows * (ch + kCaption + kGap) + kGap);
    const unsigned char grey[3] = {90, 90, 90}, black[3] = {0, 0, 0};
    Fill(sheet, 0, 0, sheet.width, sheet.height, grey);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int x0 = kGap + static_cast<int>(i % columns) * (cw + kGap);
        const int y0 = kGap + static_cast<int>(i / columns) * (ch + kCaption + kGap);
        const RgbaImage& p = cells[i].picture;
        for (int y = 0; y < p.height; ++y)
            std::copy_n(p.Pixel(0, y), p.width * 4, sheet.Pixel(x0, y0 + y));
        const unsigned char white[3] = {255, 255, 255};
        Fill(sheet, x0, y0 + ch, x0 + cw, y0 + ch + kCaption, white);
        DrawText(sheet, cells[i].caption, x0 + 6, y0 + ch + 3, 2, black);
    }
    WritePicture(sheet, out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "art" && argc == 3) return Art(argv[2]);
        if (mode == "tile" && argc > 4)
            return Tile(argv[2], std::atoi(argv[3]),
                        std::vector<std::string>(argv + 4, argv + argc));
        std::cerr << "usage: sample_art art FOLDER\n"
                     "       sample_art tile OUT.png COLUMNS [CAPTION=]PICTURE...\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "sample_art: " << e.what() << "\n";
        return 1;
    }
}
