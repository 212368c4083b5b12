// gen_icon: draws the application icon, a software box seen from above at an
// angle with a picture on its front, from one list of flat shapes: once as
// SVG text (the scalable icon) and once rasterised with 4 x 4 supersampling
// into a transparent PNG for each size asked.
// Usage: gen_icon <output folder> <size>...
// Writes <folder>/tessaly.svg and <folder>/<size>/tessaly.png per size.
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <png.h>

#include "core/images/RgbaImage.h"
#include "core/io/FileIO.h"

namespace {

struct Point {
    float x, y;
};

struct Shape {
    std::uint32_t rgb;  // 0xRRGGBB
    std::vector<Point> points;
};

// The icon on a 256 x 256 grid, drawn back to front.
const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        // Shadow under the box.
        {0x3A3F4A, {{40, 200}, {132, 244}, {228, 198}, {132, 236}}},
        // Top, front (left) and side (right) of the box.
        {0xE9EEF6, {{128, 20}, {224, 66}, {128, 112}, {32, 66}}},
        {0x2D6CDF, {{32, 66}, {128, 112}, {128, 236}, {32, 190}}},
        {0x1B3F8C, {{128, 112}, {224, 66}, {224, 190}, {128, 236}}},
        // The front's picture: a sky band, a hill and a sun.
        {0x8FC3FF, {{44, 92}, {116, 126}, {116, 176}, {44, 142}}},
        {0x2FA35A, {{44, 142}, {70, 130}, {92, 152}, {116, 150}, {116, 176}, {44, 142}}},
        {0xFFC23D, {{94, 122}, {102, 124}, {106, 132}, {102, 139}, {94, 137}, {90, 129}}},
        // A title bar at the bottom of the front.
        {0xF4F6FA, {{44, 160}, {116, 194}, {116, 206}, {44, 172}}},
        // Light on the side's edge.
        {0x3B82F6, {{128, 112}, {224, 66}, {224, 74}, {128, 120}}},
    };
    return shapes;
}

bool Inside(const std::vector<Point>& poly, float x, float y) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point a = poly[i], b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

tessaly::RgbaImage Draw(int size) {
    tessaly::RgbaImage image(size, size);
    const float scale = 256.0f / static_cast<float>(size);
    constexpr int kSamples = 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float px = (static_cast<float>(x) + (sx + 0.5f) / kSamples) * scale;
                    const float py = (static_cast<float>(y) + (sy + 0.5f) / kSamples) * scale;
                    const Shape* top = nullptr;
                    for (const Shape& s : Shapes())
                        if (Inside(s.points, px, py)) top = &s;
                    if (!top) continue;
                    r += static_cast<float>((top->rgb >> 16) & 0xFF);
                    g += static_cast<float>((top->rgb >> 8) & 0xFF);
                    b += static_cast<float>(top->rgb & 0xFF);
                    a += 1.0f;
                }
            std::uint8_t* p = image.Pixel(x, y);
            if (a > 0) {
                p[0] = static_cast<std::uint8_t>(r / a + 0.5f);
                p[1] = static_cast<std::uint8_t>(g / a + 0.5f);
                p[2] = static_cast<std::uint8_t>(b / a + 0.5f);
            }
            p[3] = static_cast<std::uint8_t>(a * 255.0f / (kSamples * kSamples) + 0.5f);
        }
    return image;
}

// The program's PNG writer drops alpha (saved pictures have none); an icon
// needs it, so it is written here with libpng as 8-bit RGBA.
void WriteRgbaPng(const tessaly::RgbaImage& image, std::ostream& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) throw std::runtime_error("libpng: out of memory");
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng: cannot write the icon");
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            static_cast<std::ostream*>(png_get_io_ptr(p))
                ->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, const_cast<png_bytep>(image.Pixel(0, y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (!out) throw std::runtime_error("cannot write the icon");
}

std::string Svg() {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : Shapes()) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(s.rgb));
        out << "  <polygon fill=\"" << colour << "\" points=\"";
        for (std::size_t i = 0; i < s.points.size(); ++i)
            out << (i ? " " : "") << s.points[i].x << ',' << s.points[i].y;
        out << "\"/>\n";
    }
    out << "</svg>\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: gen_icon <output folder> <size>...\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        std::filesystem::create_directories(folder);
        tessaly::WriteFileAtomically(folder / "tessaly.svg",
                                     [](std::ostream& out) { out << Svg(); });
        for (int i = 2; i < argc; ++i) {
            const int size = std::stoi(argv[i]);
            if (size < 8 || size > 1024)
                throw std::runtime_error("bad size " + std::string(argv[i]));
            const auto sub = folder / std::to_string(size);
            std::filesystem::create_directories(sub);
            const tessaly::RgbaImage image = Draw(size);
            tessaly::WriteFileAtomically(sub / "tessaly.png",
                                         [&](std::ostream& out) { WriteRgbaPng(image, out); });
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_icon: %s\n", e.what());
        return 1;
    }
    return 0;
}
