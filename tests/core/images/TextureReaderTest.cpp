// The bitmap and Targa texture readers: pixel layouts, orientation, the
// mended faults (padding, short data, runaway run-length packets) and every
// message text and caption.
#include <gtest/gtest.h>

#include "ImageTestFiles.h"
#include "core/images/BmpReader.h"
#include "core/images/TgaReader.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using test::BmpHeader;
using test::Bytes;
using test::TgaHeader;

// Stored pixel (x, y) of a test picture, y counted from the bottom.
std::uint8_t R(int x, int y) {
    return static_cast<std::uint8_t>(10 + x * 20 + y);
}
std::uint8_t G(int x, int y) {
    return static_cast<std::uint8_t>(100 + x + y * 30);
}
std::uint8_t B(int x, int y) {
    return static_cast<std::uint8_t>(200 + x + y);
}

// Appends bottom-up BGR(A) rows padded to four bytes.
void AppendBmpRows(Bytes& b, int width, int height, int bytesPerPixel, bool topDown = false) {
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? height - 1 - i : i;
        std::size_t rowStart = b.size();
        for (int x = 0; x < width; ++x) {
            b.push_back(B(x, y));
            b.push_back(G(x, y));
            b.push_back(R(x, y));
            if (bytesPerPixel == 4) b.push_back(0x7F);
        }
        while ((b.size() - rowStart) % 4) b.push_back(0xEE);
    }
}

void ExpectRgbBottomFirst(const TexturePixels& p, int width, int height) {
    ASSERT_EQ(p.width, width);
    ASSERT_EQ(p.height, height);
    ASSERT_EQ(p.format, PixelFormat::RGB);
    ASSERT_EQ(p.data.size(), static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* px = p.data.data() + (y * width + x) * 3;
            ASSERT_EQ(px[0], R(x, y)) << x << "," << y;
            ASSERT_EQ(px[1], G(x, y)) << x << "," << y;
            ASSERT_EQ(px[2], B(x, y)) << x << "," << y;
        }
}

void ExpectFailure(const TextureReadResult& r, const std::string& message,
                   const std::string& caption) {
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, message);
    EXPECT_EQ(r.caption, caption);
    EXPECT_TRUE(r.pixels.data.empty());
}

TEST(BmpReader, Reads24BitRowsWithAndWithoutPadding) {
    test::TempDir dir;
    for (int width : {1, 2, 3, 4, 5, 7, 8}) {
        SCOPED_TRACE(width);
        Bytes b = BmpHeader(width, 3, 24);
        AppendBmpRows(b, width, 3, 3);
        auto r = ReadBmpPixels(test::WriteFile(dir / "a.bmp", b));
        ASSERT_TRUE(r.ok) << r.message;
        ExpectRgbBottomFirst(r.pixels, width, 3);
    }
}

TEST(BmpReader, Reads32BitAndTopDownBitmaps) {
    test::TempDir dir;
    Bytes b = BmpHeader(3, 2, 32);
    AppendBmpRows(b, 3, 2, 4);
    auto r = ReadBmpPixels(test::WriteFile(dir / "a.bmp", b));
    ASSERT_TRUE(r.ok) << r.message;
    ExpectRgbBottomFirst(r.pixels, 3, 2);

    // Bit fields that restate the usual order are read like uncompressed data.
    Bytes f = BmpHeader(3, 2, 32, 3, 0, 66);
    test::Put32(f, 0x00FF0000);
    test::Put32(f, 0x0000FF00);
    test::Put32(f, 0x000000FF);
    AppendBmpRows(f, 3, 2, 4);
    r = ReadBmpPixels(test::WriteFile(dir / "f.bmp", f));
    ASSERT_TRUE(r.ok) << r.message;
    ExpectRgbBottomFirst(r.pixels, 3, 2);

    Bytes t = BmpHeader(5, -4, 24);
    AppendBmpRows(t, 5, 4, 3, /*topDown=*/true);
    r = ReadBmpPixels(test::WriteFile(dir / "t.bmp", t));
    ASSERT_TRUE(r.ok) << r.message;
    ExpectRgbBottomFirst(r.pixels, 5, 4);
}

TEST(BmpReader, TakesPixelDataFromTheHeaderOffset) {
    test::TempDir dir;
    // A larger information header and a gap before the pixels.
    Bytes b = BmpHeader(3, 2, 24, 0, 0, 14 + 124 + 6);
    b[14] = 124;
    b.resize(14 + 124 + 6, 0x55);
    AppendBmpRows(b, 3, 2, 3);
    auto r = ReadBmpPixels(test::WriteFile(dir / "v5.bmp", b));
    ASSERT_TRUE(r.ok) << r.message;
    ExpectRgbBottomFirst(r.pixels, 3, 2);
}

TEST(BmpReader, ReportsEachFailureWithItsMessage) {
    test::TempDir dir;
    const std::string missing = (dir / "missing.bmp").string();
    ExpectFailure(ReadBmpPixels(missing), "Error opening " + missing, "BMP Unit");

    Bytes shortHeader = BmpHeader(2, 2, 24);
    shortHeader.resize(30);
    ExpectFailure(ReadBmpPixels(test::WriteFile(dir / "h.bmp", shortHeader)),
                  "Error reading bitmap header", "BMP Unit");

    Bytes palette = BmpHeader(2, 2, 24, 0, 1000);
    AppendBmpRows(palette, 2, 2, 3);
    ExpectFailure(ReadBmpPixels(test::WriteFile(dir / "p.bmp", palette)), "Error reading palette",
                  "BMP Unit");

    // Data one byte short of the last row: an error, not a read past the end.
    Bytes data = BmpHeader(3, 3, 24);
    AppendBmpRows(data, 3, 3, 3);
    data.resize(data.size() - 4);
    ExpectFailure(ReadBmpPixels(test::WriteFile(dir / "d.bmp", data)), "Error reading bitmap data",
                  "BMP Unit");
    // ... even when the header claims a small biSizeImage.
    Bytes lying = BmpHeader(64, 64, 24, 0, 0, 54, 12);
    lying.resize(54 + 12, 0);
    ExpectFailure(ReadBmpPixels(test::WriteFile(dir / "l.bmp", lying)), "Error reading bitmap data",
                  "BMP Unit");
}

TEST(BmpReader, RefusesOtherDepthsCompressionAndOversize) {
    test::TempDir dir;
    struct Case {
        Bytes file;
        std::string expect;
    };
    Bytes eight = BmpHeader(4, 4, 8, 0, 256, 54 + 1024);
    eight.resize(54 + 1024 + 16, 1);
    Bytes rle = BmpHeader(4, 4, 24, 1);
    rle.resize(200, 0);
    Bytes masks = BmpHeader(2, 2, 32, 3, 0, 66);
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) test::Put32(masks, m);
    masks.resize(200, 0);
    Bytes sixteen = BmpHeader(4, 4, 16);
    sixteen.resize(200, 0);
    Bytes huge = BmpHeader(20000, 20000, 24);  // no data: must not be allocated
    Bytes zero = BmpHeader(0, 5, 24);
    for (auto& [file, expect] : std::vector<Case>{{eight, "Only 24 and 32 bit"},
                                                  {rle, "Compressed bitmaps are not supported."},
                                                  {masks, "Compressed bitmaps are not supported."},
                                                  {sixteen, "Only 24 and 32 bit"},
                                                  {huge, "too large (20000 x 20000"},
                                                  {zero, "has no pixels"}}) {
        const std::string path = test::WriteFile(dir / "x.bmp", file);
        auto r = ReadBmpPixels(path);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.caption, "BMP Unit");
        EXPECT_EQ(r.message.rfind("Couldn't load \"" + path + "\". ", 0), 0u) << r.message;
        EXPECT_NE(r.message.find(expect), std::string::npos) << r.message;
    }
}

// ---- Targa ----

// Stored Targa pixel: blue, green, red (, alpha).
void AppendTgaPixel(Bytes& b, int x, int y, int bytesPerPixel) {
    b.push_back(B(x, y));
    b.push_back(G(x, y));
    b.push_back(R(x, y));
    if (bytesPerPixel == 4) b.push_back(static_cast<std::uint8_t>(x * 16 + y));
}

TEST(TgaReader, ReadsUncompressedAndRunLength24And32Bit) {
    test::TempDir dir;
    for (int bpp : {3, 4}) {
        SCOPED_TRACE(bpp);
        const int w = 5, h = 3;
        Bytes raw = TgaHeader(2, w, h, bpp * 8);
        Bytes rle = TgaHeader(10, w, h, bpp * 8);
        for (int y = 0; y < h; ++y) {
            rle.push_back(static_cast<std::uint8_t>(w - 1));  // one raw packet per row
            for (int x = 0; x < w; ++x) {
                AppendTgaPixel(raw, x, y, bpp);
                AppendTgaPixel(rle, x, y, bpp);
            }
        }
        for (const Bytes* file : {&raw, &rle}) {
            auto r = ReadTgaPixels(test::WriteFile(dir / "a.tga", *file));
            ASSERT_TRUE(r.ok) << r.message;
            ASSERT_EQ(r.pixels.format, bpp == 4 ? PixelFormat::RGBA : PixelFormat::RGB);
            ASSERT_EQ(r.pixels.data.size(), static_cast<std::size_t>(w * h * bpp));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t* p = r.pixels.data.data() + (y * w + x) * bpp;
                    EXPECT_EQ(p[0], R(x, y));
                    EXPECT_EQ(p[1], G(x, y));
                    EXPECT_EQ(p[2], B(x, y));
                    if (bpp == 4) {
                        EXPECT_EQ(p[3], x * 16 + y);
                    }
                }
        }
    }
}

TEST(TgaReader, RunPacket0x83GivesFourEqualPixels) {
    test::TempDir dir;
    for (int bpp : {3, 4}) {
        Bytes b = TgaHeader(10, 4, 1, bpp * 8);
        b.push_back(0x83);
        for (std::uint8_t v : {1, 2, 3, 4}) {
            if (v <= bpp) b.push_back(v);
        }
        auto r = ReadTgaPixels(test::WriteFile(dir / "r.tga", b));
        ASSERT_TRUE(r.ok) << r.message;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t* p = r.pixels.data.data() + i * bpp;
            EXPECT_EQ(p[0], 3);
            EXPECT_EQ(p[1], 2);
            EXPECT_EQ(p[2], 1);
            if (bpp == 4) {
                EXPECT_EQ(p[3], 4);
            }
        }
    }
}

TEST(TgaReader, RunLengthDataPastThePictureAreCutAndDataEndingEarlyAreRefused) {
    test::TempDir dir;
    // A run of 128 pixels into a 2 x 2 picture, then more packets.
    Bytes over = TgaHeader(10, 2, 2, 24);
    over.insert(over.end(), {0xFF, 9, 8, 7, 0x7F});
    over.resize(over.size() + 30, 0xAB);
    auto r = ReadTgaPixels(test::WriteFile(dir / "o.tga", over));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.pixels.data, (Bytes{7, 8, 9, 7, 8, 9, 7, 8, 9, 7, 8, 9}));

    // A raw packet longer than the rest of the picture is cut as well.
    Bytes longRaw = TgaHeader(10, 2, 1, 24);
    longRaw.insert(longRaw.end(), {0x03, 1, 2, 3, 4, 5, 6});
    r = ReadTgaPixels(test::WriteFile(dir / "l.tga", longRaw));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.pixels.data, (Bytes{3, 2, 1, 6, 5, 4}));

    // Data ending inside a raw packet, before a run's pixel, or with no
    // packets at all: the file is refused rather than filled up with black.
    Bytes cut = TgaHeader(10, 4, 1, 24);
    cut.insert(cut.end(), {0x03, 1, 2, 3, 4, 5});
    Bytes runCut = TgaHeader(10, 3, 1, 32);
    runCut.insert(runCut.end(), {0x80, 1, 2, 3, 4, 0x81, 5, 6});
    Bytes empty = TgaHeader(10, 2, 1, 24);
    // 47 bytes claiming 16384 x 16384 pixels: refused before the picture's
    // gigabyte is allocated.
    Bytes bomb = TgaHeader(10, 16384, 16384, 32);
    bomb.insert(bomb.end(), {0xFF, 1, 2, 3, 4});
    bomb.resize(47, 0xFF);
    for (const auto& [name, bytes] : {std::pair{"c.tga", cut}, std::pair{"rc.tga", runCut},
                                      std::pair{"e.tga", empty}, std::pair{"b.tga", bomb}}) {
        const std::string path = test::WriteFile(dir / name, bytes);
        ExpectFailure(ReadTgaPixels(path), "Couldn't read file \"" + path + "\".",
                      "TGA File Error");
    }
}

TEST(TgaReader, SkipsIdentificationAndHonoursOrientation) {
    test::TempDir dir;
    const int w = 3, h = 2;
    for (std::uint8_t descriptor : {0x00, 0x20, 0x10, 0x30}) {
        SCOPED_TRACE(int{descriptor});
        const bool top = descriptor & 0x20, right = descriptor & 0x10;
        Bytes b = TgaHeader(2, w, h, 24, descriptor, 7);
        b.insert(b.end(), {'I', 'D', 'F', 'I', 'E', 'L', 'D'});
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j)
                AppendTgaPixel(b, right ? w - 1 - j : j, top ? h - 1 - i : i, 3);
        auto r = ReadTgaPixels(test::WriteFile(dir / "o.tga", b));
        ASSERT_TRUE(r.ok) << r.message;
        ExpectRgbBottomFirst(r.pixels, w, h);
    }
}

TEST(TgaReader, ReportsEachFailureWithItsMessage) {
    test::TempDir dir;
    const std::string missing = (dir / "none.tga").string();
    ExpectFailure(ReadTgaPixels(missing), "File not found  - " + missing, "TGA Texture");

    auto check = [&](const Bytes& file, const std::string& tail) {
        const std::string path = test::WriteFile(dir / "f.tga", file);
        ExpectFailure(ReadTgaPixels(path), "Couldn't load \"" + path + "\". " + tail,
                      "TGA File Error");
    };
    Bytes grey = TgaHeader(3, 2, 2, 8);
    grey.resize(22, 0);
    check(grey, "Only 24 and 32bit TGA supported.");
    check(TgaHeader(2, 2, 2, 24, 0, 0, 1), "Colormapped TGA files not supported.");
    Bytes sixteen = TgaHeader(2, 2, 2, 16);
    sixteen.resize(26, 0);
    check(sixteen, "Only 24 and 32 bit TGA files supported.");
    check(TgaHeader(2, 2, 2, 40), "Only 24 and 32 bit TGA files supported.");
    check(TgaHeader(10, 20000, 20000, 32),
          "The picture is too large (20000 x 20000 pixels; at most 16384 a side).");

    Bytes shortRaw = TgaHeader(2, 4, 4, 24);
    shortRaw.resize(18 + 47, 0);
    std::string path = test::WriteFile(dir / "s.tga", shortRaw);
    ExpectFailure(ReadTgaPixels(path), "Couldn't read file \"" + path + "\".", "TGA File Error");
    path = test::WriteFile(dir / "h.tga", Bytes{0, 0, 2, 0, 0});
    ExpectFailure(ReadTgaPixels(path), "Couldn't read file \"" + path + "\".", "TGA File Error");
}

}  // namespace
}  // namespace tessaly
