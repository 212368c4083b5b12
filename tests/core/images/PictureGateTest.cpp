// The picture gate: content must match the extension, no outside program is
// ever started, nothing else on disk is read, sizes and budgets are checked
// before decoding, and large pictures are decoded straight to texture size.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "ImageTestFiles.h"
#include "core/images/JpegCodec.h"
#include "core/images/PictureReader.h"
#include "core/images/PixelBudget.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using test::Bytes;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// The message ReadPicture refuses `path` with; empty when it decodes.
std::string Refusal(const std::string& path, int textureSide = 0) {
    try {
        ReadPicture(path, textureSide);
    } catch (const PictureError& e) {
        return e.what();
    }
    return {};
}

// A PNG through libpng itself, so that colour types, depths and interlacing
// the program never writes can be read back.
Bytes LibPng(int width, int height, int colourType, int depth, bool interlaced,
             const std::function<std::uint8_t(int x, int y, int sample)>& value) {
    std::ostringstream out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::ostringstream*>(png_get_io_ptr(p))
                ->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(n));
        },
        nullptr);
    png_set_IHDR(png, info, width, height, depth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[2] = {{10, 20, 30}, {200, 100, 50}};
        png_set_PLTE(png, info, palette, 2);
        png_byte alpha[1] = {128};
        png_set_tRNS(png, info, alpha, 1, nullptr);
    }
    png_write_info(png, info);
    const int samples = png_get_channels(png, info);
    const int bytesPerSample = depth == 16 ? 2 : 1;
    std::vector<png_byte> whole(static_cast<std::size_t>(width) * samples * bytesPerSample *
                                height);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) {
        png_bytep row =
            whole.data() + static_cast<std::size_t>(y) * width * samples * bytesPerSample;
        rows[y] = row;
        for (int x = 0; x < width; ++x)
            for (int s = 0; s < samples; ++s) {
                const std::uint8_t v = value(x, y, s);
                if (depth == 16) {
                    row[(x * samples + s) * 2] = v;
                    row[(x * samples + s) * 2 + 1] = v;
                } else {
                    row[x * samples + s] = v;
                }
            }
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return Text(out.str());
}

TEST(PictureGate, ContentThatIsNotWhatTheNameSaysIsRefusedNamingTheFileAndTheContent) {
    test::TempDir dir;
    // A local picture an SVG would pull onto the cover.
    const std::string secret = (dir / "secret.jpg").string();
    WriteFileAtomically(secret, [&](std::ostream& o) { WriteJpeg(test::Gradient(8, 8), 90, o); });
    const std::string svg =
        "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"8\" height=\"8\">"
        "<image xlink:href=\"" +
        secret + "\" width=\"8\" height=\"8\"/></svg>\n";
    const struct {
        const char* name;
        Bytes bytes;
        const char* held;
    } cases[] = {
        {"svg.png", Text(svg), "SVG"},
        {"svg.jpg", Text("<svg width='8' height='8'/>"), "SVG"},
        {"gif.png", Text("GIF89a\x01\x00\x01\x00\x00\x00\x00;"), "GIF"},
        {"webp.png", Text(std::string("RIFF\x1a\0\0\0WEBPVP8L", 16)), "WebP"},
        {"miff.png", Text("id=ImageMagick\nrows=1 columns=1\n:\x1a"), "MIFF"},
        {"xpm.png", Text("/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \"a c red\", \"a\"};\n"),
         "XPM"},
        {"ps.png", Text("%!PS-Adobe-3.0\nshowpage\n"), "PostScript"},
        {"pdf.jpg", Text("%PDF-1.4\n"), "PDF"},
        {"mvg.png", Text("push graphic-context\nviewbox 0 0 8 8\n"), "MVG"},
        {"png.jpg", LibPng(2, 2, PNG_COLOR_TYPE_RGB, 8, false, [](int, int, int) { return 7; }),
         "PNG"},
    };
    for (const auto& c : cases) {
        const std::string path = test::WriteFile(dir / c.name, c.bytes);
        const std::string why = Refusal(path);
        const std::string ext = std::filesystem::path(path).extension().string();
        EXPECT_NE(why.find(path), std::string::npos) << why;
        EXPECT_NE(why.find("is named " + ext + " but holds " + c.held + " data"), std::string::npos)
            << why;
    }
    // Content of no known format under a known name.
    const std::string noise = test::WriteFile(dir / "noise.tif", Text("just some text\n"));
    EXPECT_NE(Refusal(noise).find("is named .tif but holds no TIFF data"), std::string::npos)
        << Refusal(noise);
    // A Targa name over a header that cannot be Targa.
    const std::string fake = test::WriteFile(dir / "fake.tga", Text(std::string(40, 'z')));
    EXPECT_NE(Refusal(fake).find("holds no Targa data"), std::string::npos) << Refusal(fake);
}

TEST(PictureGate, NoOutsideProgramIsStartedWhateverTheFileHolds) {
    test::TempDir dir;
    // A stand-in "gs" first on PATH that leaves a mark when it is started.
    const auto bin = dir / "bin";
    std::filesystem::create_directories(bin);
    const auto mark = dir / "started";
    test::WriteFile(bin / "gs", Text("#!/bin/sh\ntouch '" + mark.string() + "'\n"));
    std::filesystem::permissions(bin / "gs", std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (bin.string() + ":" + saved).c_str(), 1);

    const std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 8 8\nshowpage\n";
    for (const char* name : {"a.eps", "a.png", "a.jpg", "a.tif", "a.bmp", "a.tga", "a.pcx"})
        EXPECT_FALSE(Refusal(test::WriteFile(dir / name, Text(eps))).empty()) << name;
    // PostScript wrapped in a TIFF signature still reaches only the TIFF coder.
    Bytes tiff = Text(std::string("II*\0", 4));
    tiff.insert(tiff.end(), eps.begin(), eps.end());
    EXPECT_FALSE(Refusal(test::WriteFile(dir / "wrapped.tif", tiff)).empty());

    setenv("PATH", saved.c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(mark));
}

TEST(PictureGate, PngOfEveryKindDecodesToRgbaAndReducesByBlockAverages) {
    test::TempDir dir;
    auto v = [](int x, int y, int s) { return static_cast<std::uint8_t>(x * 20 + y * 3 + s); };
    const RgbaImage rgb = ReadPicture(
        test::WriteFile(dir / "rgb.png", LibPng(9, 5, PNG_COLOR_TYPE_RGB, 8, false, v)));
    ASSERT_EQ(rgb.width, 9);
    ASSERT_EQ(rgb.height, 5);
    EXPECT_EQ(rgb.Pixel(4, 3)[0], 89);
    EXPECT_EQ(rgb.Pixel(4, 3)[2], 91);
    EXPECT_EQ(rgb.Pixel(4, 3)[3], 255);

    // Interlaced and 16-bit pictures give the same pixels.
    for (auto [interlaced, depth] : {std::pair{true, 8}, std::pair{false, 16}}) {
        const RgbaImage same = ReadPicture(
            test::WriteFile(dir / "x.png", LibPng(9, 5, PNG_COLOR_TYPE_RGB, depth, interlaced, v)));
        EXPECT_EQ(same.pixels, rgb.pixels) << interlaced << depth;
    }
    // Grey with alpha, and a palette with a transparent entry.
    const RgbaImage grey = ReadPicture(test::WriteFile(
        dir / "g.png", LibPng(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, [](int x, int, int s) {
            return s ? 9 : x ? 200 : 100;
        })));
    EXPECT_EQ(grey.pixels, (Bytes{100, 100, 100, 9, 200, 200, 200, 9}));
    const RgbaImage pal = ReadPicture(test::WriteFile(
        dir / "p.png", LibPng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, false,
                              [](int x, int, int) { return static_cast<std::uint8_t>(x); })));
    EXPECT_EQ(pal.pixels, (Bytes{10, 20, 30, 128, 200, 100, 50, 255}));

    // Reduced by 2: each pixel the rounded mean of its block; the blocks cut
    // by the right and bottom edges average what they hold.
    const Bytes nine = LibPng(9, 5, PNG_COLOR_TYPE_RGB, 8, false, v);
    for (bool interlaced : {false, true}) {
        const RgbaImage half =
            DecodePng(interlaced ? LibPng(9, 5, PNG_COLOR_TYPE_RGB, 8, true, v) : nine, 2,
                      kMaxFullDecodePixels);
        ASSERT_EQ(half.width, 5);
        ASSERT_EQ(half.height, 3);
        EXPECT_EQ(half.Pixel(0, 0)[0], (0 + 20 + 3 + 23 + 2) / 4);  // 11.5 rounds to 12
        EXPECT_EQ(half.Pixel(4, 2)[0], 160 + 12);                   // one pixel: x 8, y 4
        EXPECT_EQ(half.Pixel(4, 0)[1], (161 + 164 + 1) / 2);
        EXPECT_EQ(half.Pixel(2, 1)[3], 255);
    }
    // Cut short inside the image data: an error, not a half-grey picture.
    Bytes cut = nine;
    cut.resize(cut.size() - 30);
    EXPECT_FALSE(Refusal(test::WriteFile(dir / "cut.png", cut)).empty());
}

TEST(PictureGate, LargePicturesAreDecodedStraightToTheirTextureSize) {
    test::TempDir dir;
    // 8200 wide: its texture is 4096 wide (and 2 high, halved with it).
    const std::string wide = test::WriteFile(
        dir / "wide.png", LibPng(8200, 3, PNG_COLOR_TYPE_GRAY, 8, false,
                                 [](int x, int, int) { return static_cast<std::uint8_t>(x); }));
    const RgbaImage full = ReadPicture(wide);
    EXPECT_EQ(full.width, 8200);
    EXPECT_EQ(full.height, 3);
    const RgbaImage reduced = ReadPicture(wide, kMaxTextureSide);
    EXPECT_EQ(reduced.width, 4100);
    EXPECT_EQ(reduced.height, 2);

    // JPEG: the library's scaled decoding, never below the texture's size.
    const std::string jpeg = (dir / "a.jpg").string();
    WriteFileAtomically(jpeg, [&](std::ostream& o) { WriteJpeg(test::Gradient(64, 32), 90, o); });
    const RgbaImage quarter = ReadPicture(jpeg, 16);
    EXPECT_EQ(quarter.width, 16);
    EXPECT_EQ(quarter.height, 8);
    EXPECT_EQ(ReadPicture(jpeg, 64).width, 64);
    EXPECT_EQ(ReductionFor(16384, 16384, kMaxTextureSide), 4);
    EXPECT_EQ(ReductionFor(12000, 100, kMaxTextureSide), 1);  // 100 rows make 128
    EXPECT_EQ(ReductionFor(100, 100, 0), 1);
    EXPECT_EQ(ReductionFor(std::int64_t{1} << 31, 5, kMaxTextureSide),
              1);  // the decoder refuses it
}

TEST(PictureGate, DeclaredSizesOverTheLimitsOrTheBudgetAreRefusedBeforeDecoding) {
    test::TempDir dir;
    // Pictures the general library must hold whole: at most 64 million pixels.
    const std::string bmp = test::WriteFile(dir / "big.bmp", test::BmpHeader(10000, 10000, 24));
    EXPECT_NE(Refusal(bmp).find("too large to decode (10000 x 10000 pixels"), std::string::npos)
        << Refusal(bmp);
    Bytes tga = test::TgaHeader(10, 16384, 16384, 32);
    tga.insert(tga.end(), {0xFF, 1, 2, 3, 4});
    EXPECT_NE(Refusal(test::WriteFile(dir / "bomb.tga", tga)).find("too large"), std::string::npos);
    // Interlaced PNG must be held whole as well.
    const Bytes tall = LibPng(1, 9, PNG_COLOR_TYPE_GRAY, 8, true, [](int, int, int) { return 1; });
    EXPECT_THROW(DecodePng(tall, 1, 8), PngError);
    EXPECT_EQ(DecodePng(tall, 1, 9).height, 9);
}

TEST(PictureGate, PicturesOfOneOperationShareAPixelBudget) {
    test::TempDir dir;
    const std::string png = test::WriteFile(
        dir / "a.png", LibPng(20, 10, PNG_COLOR_TYPE_GRAY, 8, false, [](int, int, int) { return 1; }));
    const std::string jpeg = (dir / "b.jpg").string();
    WriteFileAtomically(jpeg, [&](std::ostream& o) { WriteJpeg(test::Gradient(20, 10), 90, o); });
    const std::string bmp = test::WriteFile(dir / "c.bmp", test::BmpHeader(20, 10, 24));
    {
        // Room for two pictures of 200 pixels, whatever their decoder.
        PixelBudgetScope project(450);
        EXPECT_EQ(ReadPicture(png, kMaxTextureSide).width, 20);
        EXPECT_EQ(ReadPicture(jpeg).width, 20);
        EXPECT_EQ(project.Left(), 50);
        const std::string refused = Refusal(png);
        EXPECT_NE(refused.find("a.png"), std::string::npos) << refused;
        EXPECT_NE(refused.find("at most 450 pixels together"), std::string::npos) << refused;
        EXPECT_NE(Refusal(bmp).find("together"), std::string::npos) << Refusal(bmp);
        {
            // A preview of a picture already counted is not counted again,
            // and does not use up the scope around it.
            const PixelBudgetScope preview{PixelBudgetScope::Uncounted{}};
            EXPECT_FALSE(PixelBudgetOpen());
            EXPECT_EQ(Refusal(png), "");
        }
        {
            // A scope inside another may not spend more than the outer has left.
            PixelBudgetScope inner(1000);
            EXPECT_NE(Refusal(jpeg).find("at most 450"), std::string::npos) << Refusal(jpeg);
        }
        EXPECT_EQ(project.Left(), 50);
        // Sizes beyond any picture's limits are the decoder's to refuse.
        EXPECT_NO_THROW(ChargePixels(0xFFFFFFFFll, 0xFFFFFFFFll));
        EXPECT_EQ(project.Left(), 50);
    }
    // With no scope open, only each picture's own limits apply.
    EXPECT_FALSE(PixelBudgetOpen());
    EXPECT_EQ(Refusal(png), "");
}

}  // namespace
}  // namespace tessaly
