// The picture writers (bitmap, JPEG, PNG), the JPEG decoder, the general
// picture reader and saving at a colour depth.
#include <gtest/gtest.h>
#include <zlib.h>

#include <jpeglib.h>
#include <cstdio>

#include <sstream>

#include "ImageTestFiles.h"
#include "core/images/BmpReader.h"
#include "core/images/BmpWriter.h"
#include "core/images/JpegCodec.h"
#include "core/images/PictureDepth.h"
#include "core/images/PictureReader.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

using test::Bytes;
using test::Get16;
using test::Get32;

Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Encode(const std::function<void(std::ostream&)>& write) {
    std::ostringstream out;
    write(out);
    return ToBytes(out.str());
}

// Largest difference of any colour channel.
int MaxColourDifference(const RgbaImage& a, const RgbaImage& b) {
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (i % 4 != 3) worst = std::max(worst, std::abs(a.pixels[i] - b.pixels[i]));
    return worst;
}

bool SameColours(const RgbaImage& a, const RgbaImage& b) {
    return a.width == b.width && a.height == b.height && MaxColourDifference(a, b) == 0;
}

// A JPEG in another colour space, straight from the library.
Bytes LibJpeg(int width, int height, J_COLOR_SPACE space, int components, const Bytes& pixels) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    for (int y = 0; y < height; ++y) {
        JSAMPROW row = const_cast<JSAMPLE*>(pixels.data() + y * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// ---- Bitmap writer ----

TEST(BmpWriter, Writes24BitWithPaddedBottomUpRows) {
    RgbaImage img = test::Gradient(3, 2);
    Bytes b = Encode([&](std::ostream& o) { WriteBmp(img, 24, o); });
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Get32(b, 2), b.size());
    EXPECT_EQ(Get32(b, 10), 54u);
    EXPECT_EQ(Get32(b, 14), 40u);
    EXPECT_EQ(Get32(b, 18), 3u);
    EXPECT_EQ(Get32(b, 22), 2u);
    EXPECT_EQ(Get16(b, 26), 1u);
    EXPECT_EQ(Get16(b, 28), 24u);
    EXPECT_EQ(Get32(b, 30), 0u);
    EXPECT_EQ(Get32(b, 34), 24u);
    for (int row = 0; row < 2; ++row) {
        const std::size_t at = 54 + row * 12;
        for (int x = 0; x < 3; ++x) {
            const std::uint8_t* p = img.Pixel(x, 1 - row);  // bottom row first
            EXPECT_EQ(b[at + x * 3 + 0], p[2]);
            EXPECT_EQ(b[at + x * 3 + 1], p[1]);
            EXPECT_EQ(b[at + x * 3 + 2], p[0]);
        }
        for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(b[at + pad], 0);
    }
}

TEST(BmpWriter, Writes16BitBitFields) {
    RgbaImage img(3, 1);
    const std::uint8_t colours[3][3] = {{255, 0, 0}, {0x12, 0x34, 0x56}, {255, 255, 255}};
    for (int x = 0; x < 3; ++x) std::copy(colours[x], colours[x] + 3, img.Pixel(x, 0));
    Bytes b = Encode([&](std::ostream& o) { WriteBmp(img, 16, o); });
    ASSERT_EQ(b.size(), 66u + 8);
    EXPECT_EQ(Get32(b, 2), 74u);
    EXPECT_EQ(Get32(b, 10), 66u);
    EXPECT_EQ(Get32(b, 14), 40u);
    EXPECT_EQ(Get16(b, 28), 16u);
    EXPECT_EQ(Get32(b, 30), 3u);
    EXPECT_EQ(Get32(b, 34), 8u);
    EXPECT_EQ(Get32(b, 54), 0xF800u);
    EXPECT_EQ(Get32(b, 58), 0x07E0u);
    EXPECT_EQ(Get32(b, 62), 0x001Fu);
    EXPECT_EQ(Get16(b, 66), 0xF800u);
    EXPECT_EQ(Get16(b, 68), (0x12u >> 3 << 11) | (0x34u >> 2 << 5) | (0x56u >> 3));
    EXPECT_EQ(Get16(b, 70), 0xFFFFu);
    EXPECT_EQ(Get16(b, 72), 0u);  // padding
}

TEST(BmpWriter, Writes32BitAndReadsBack) {
    test::TempDir dir;
    RgbaImage img = test::Gradient(5, 3);
    for (int bits : {32, 8, 24}) {
        SCOPED_TRACE(bits);
        Bytes b = Encode([&](std::ostream& o) { WriteBmp(img, bits, o); });
        const int expectBits = bits == 24 ? 24 : 32;
        EXPECT_EQ(Get16(b, 28), static_cast<std::uint32_t>(expectBits));
        EXPECT_EQ(Get32(b, 34), b.size() - 54);
        if (expectBits == 32) {
            EXPECT_EQ(b[54 + 3], 255);
        }
        auto r = ReadBmpPixels(test::WriteFile(dir / "w.bmp", b));
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_TRUE(SameColours(img, [&] {
            RgbaImage back(5, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    std::copy_n(r.pixels.data.data() + ((2 - y) * 5 + x) * 3, 3, back.Pixel(x, y));
            return back;
        }()));
    }
    // An empty picture is still a valid bitmap.
    Bytes empty = Encode([&](std::ostream& o) { WriteBmp(RgbaImage(10, 0), 24, o); });
    EXPECT_EQ(empty.size(), 54u);
    EXPECT_EQ(Get32(empty, 34), 0u);
}

// ---- JPEG ----

TEST(JpegCodec, EncodesAndDecodesWithinTolerance) {
    RgbaImage img(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 4);
            p[1] = static_cast<std::uint8_t>(y * 5);
            p[2] = static_cast<std::uint8_t>(128 + x - y);
        }
    Bytes b = Encode([&](std::ostream& o) { WriteJpeg(img, 95, o); });
    ASSERT_GT(b.size(), 100u);
    RgbaImage back = DecodeJpeg(b);
    ASSERT_EQ(back.width, 64);
    ASSERT_EQ(back.height, 48);
    long total = 0;
    for (std::size_t i = 0; i < img.pixels.size(); ++i) {
        if (i % 4 == 3) {
            EXPECT_EQ(back.pixels[i], 255);
            continue;
        }
        total += std::abs(img.pixels[i] - back.pixels[i]);
    }
    EXPECT_LT(static_cast<double>(total) / (64 * 48 * 3), 2.0);

    // Lower quality gives a smaller file.
    Bytes low = Encode([&](std::ostream& o) { WriteJpeg(img, 20, o); });
    EXPECT_LT(low.size(), b.size());
}

TEST(JpegCodec, DecodesGreyscaleAndCmyk) {
    Bytes grey{0, 128, 255, 64};
    RgbaImage g = DecodeJpeg(LibJpeg(2, 2, JCS_GRAYSCALE, 1, grey));
    ASSERT_EQ(g.width, 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(g.pixels[i * 4], grey[i], 3);
        EXPECT_EQ(g.pixels[i * 4], g.pixels[i * 4 + 1]);
        EXPECT_EQ(g.pixels[i * 4 + 3], 255);
    }
    // The library marks CMYK files as Adobe's, whose values are inverted
    // (255 = no ink): full cyan ink on a white page is (0, 255, 255, 255).
    Bytes cmyk;
    for (int i = 0; i < 64; ++i) cmyk.insert(cmyk.end(), {0, 255, 255, 255});
    RgbaImage c = DecodeJpeg(LibJpeg(8, 8, JCS_CMYK, 4, cmyk));
    EXPECT_NEAR(c.pixels[0], 0, 4);
    EXPECT_NEAR(c.pixels[1], 255, 4);
    EXPECT_NEAR(c.pixels[2], 255, 4);
    EXPECT_EQ(c.pixels[3], 255);
}

TEST(JpegCodec, TextureReaderGivesBottomFirstRgbaOrItsMessage) {
    test::TempDir dir;
    RgbaImage img(8, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = y < 8 ? 250 : 5;  // red top half, blue bottom half
            p[2] = y < 8 ? 5 : 250;
        }
    const std::string path = (dir / "a.jpg").string();
    WriteFileAtomically(path, [&](std::ostream& o) { WriteJpeg(img, 90, o); });
    auto r = ReadJpegPixels(path);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.pixels.format, PixelFormat::RGBA);
    ASSERT_EQ(r.pixels.data.size(), 8u * 16 * 4);
    EXPECT_GT(r.pixels.data[2], 200);             // first row is the bottom: blue
    EXPECT_GT(r.pixels.data[(15 * 8) * 4], 200);  // last row red
    for (std::size_t i = 3; i < r.pixels.data.size(); i += 4) ASSERT_EQ(r.pixels.data[i], 255);

    const std::string bad =
        test::WriteFile(dir / "bad.jpg", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3});
    const std::string missing = (dir / "none.jpg").string();
    for (const std::string& p : {bad, missing}) {
        auto f = ReadJpegPixels(p);
        EXPECT_FALSE(f.ok);
        EXPECT_EQ(f.message, "Couldn't load JPG - \"" + p + "\"");
        EXPECT_EQ(f.caption, "BMP Unit");
    }
}

TEST(JpegCodec, RefusesOversizeAndSurvivesDamage) {
    test::TempDir dir;
    Bytes b = Encode([&](std::ostream& o) { WriteJpeg(test::Gradient(16, 16), 80, o); });
    // Claim 20000 x 20000 in the frame header.
    Bytes huge = b;
    for (std::size_t i = 0; i + 9 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 20000 >> 8;
            huge[i + 6] = huge[i + 8] = 20000 & 0xFF;
            break;
        }
    try {
        DecodeJpeg(huge);
        FAIL() << "no error";
    } catch (const JpegError& e) {
        EXPECT_TRUE(e.TooLarge());
    }
    const std::string path = test::WriteFile(dir / "huge.jpg", huge);
    auto r = ReadJpegPixels(path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Couldn't load JPG - \"" + path + "\". The picture is too large", 0),
              0u);

    // Truncated and scrambled data: an error or a picture, never a crash.
    for (std::size_t cut : {b.size() / 2, std::size_t{200}, std::size_t{2}}) {
        Bytes part(b.begin(), b.begin() + cut);
        try {
            RgbaImage img = DecodeJpeg(part);
            EXPECT_EQ(img.width, 16);
        } catch (const JpegError&) {
        }
    }
    Bytes scrambled = b;
    for (std::size_t i = 20; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5A;
    try {
        DecodeJpeg(scrambled);
    } catch (const JpegError&) {
    }
    EXPECT_THROW(DecodeJpeg(Bytes{}), JpegError);
    EXPECT_THROW(Encode([&](std::ostream& o) { WriteJpeg(RgbaImage(0, 5), 80, o); }), JpegError);
}

// ---- PNG ----

TEST(PngCodec, WritesRgbWithNoneFiltersThatReadsBackIdentical) {
    test::TempDir dir;
    RgbaImage img = test::Gradient(37, 11);
    img.Pixel(3, 3)[3] = 0;  // alpha is dropped
    Bytes b = Encode([&](std::ostream& o) { WritePng(img, o); });
    ASSERT_GT(b.size(), 33u);
    EXPECT_EQ(Get32(b, 12), 0x52444849u);  // "IHDR" read little-endian
    EXPECT_EQ(b[24], 8);                   // bit depth
    EXPECT_EQ(b[25], 2);                   // colour type RGB

    // Every row of the inflated image data starts with filter type 0.
    Bytes idat;
    for (std::size_t at = 8; at + 8 <= b.size();) {
        const std::uint32_t len = (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
        if (std::string(b.begin() + at + 4, b.begin() + at + 8) == "IDAT")
            idat.insert(idat.end(), b.begin() + at + 8, b.begin() + at + 8 + len);
        at += 12 + len;
    }
    Bytes raw(11 * (1 + 37 * 3));
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), idat.size()), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    for (int y = 0; y < 11; ++y) EXPECT_EQ(raw[y * (1 + 37 * 3)], 0) << y;

    const std::string path = test::WriteFile(dir / "a.png", b);
    RgbaImage back = ReadPicture(path);
    EXPECT_TRUE(SameColours(img, back));
    for (std::size_t i = 3; i < back.pixels.size(); i += 4) ASSERT_EQ(back.pixels[i], 255);
}

TEST(PngCodec, ReportsErrors) {
    EXPECT_THROW(Encode([&](std::ostream& o) { WritePng(RgbaImage(), o); }), PngError);
    std::ostream broken(nullptr);
    EXPECT_THROW(WritePng(test::Gradient(4, 4), broken), PngError);
    RgbaImage inconsistent(4, 4);
    inconsistent.pixels.resize(10);
    EXPECT_THROW(Encode([&](std::ostream& o) { WritePng(inconsistent, o); }), PngError);
}

// ---- General picture reader ----

TEST(PictureReader, ReadsFormatsByTheirExtension) {
    test::TempDir dir;
    RgbaImage img = test::Gradient(20, 10);
    const std::string jpeg = (dir / "photo.JPEG").string();
    WriteFileAtomically(jpeg, [&](std::ostream& o) { WriteJpeg(img, 95, o); });
    RgbaImage j = ReadPicture(jpeg);
    ASSERT_EQ(j.width, 20);
    ASSERT_EQ(j.height, 10);
    EXPECT_LT(MaxColourDifference(img, j), 48);

    const std::string bmp = (dir / "a.bmp").string();
    WriteFileAtomically(bmp, [&](std::ostream& o) { WriteBmp(img, 24, o); });
    EXPECT_TRUE(SameColours(img, ReadPicture(bmp)));

    Bytes tga = test::TgaHeader(2, 2, 1, 24);
    tga.insert(tga.end(), {1, 2, 3, 4, 5, 6});
    RgbaImage t = ReadPicture(test::WriteFile(dir / "a.tga", tga));
    ASSERT_EQ(t.width, 2);
    EXPECT_EQ(t.pixels, (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));
}

TEST(PictureReader, CorruptMissingUnknownAndOversizeFilesGiveErrors) {
    test::TempDir dir;
    auto expectError = [](const std::string& path, const std::string& part) {
        try {
            ReadPicture(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const PictureError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(path), std::string::npos) << what;
            EXPECT_NE(what.find(part), std::string::npos) << what;
        }
    };
    expectError((dir / "none.png").string(), "none.png");
    expectError(test::WriteFile(dir / "a.gif", Bytes{'G', 'I', 'F'}), "unknown file type");
    expectError(test::WriteFile(dir / "bad.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5}), "");
    expectError(test::WriteFile(dir / "bad.jpg", Bytes{0xFF, 0xD8, 0xFF, 0, 0, 0}), "");
    expectError(test::WriteFile(dir / "empty.tif", Bytes{}), "empty file");
    Bytes bmp = test::BmpHeader(3, 3, 24);
    expectError(test::WriteFile(dir / "short.bmp", bmp), "");

    // Headers claiming 20000 x 20000 pixels, without the data.
    Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {20000u, 20000u}) {
        for (int s = 24; s >= 0; s -= 8) png.push_back(static_cast<std::uint8_t>(v >> s));
    }
    png.insert(png.end(), {8, 2, 0, 0, 0});
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int s = 24; s >= 0; s -= 8) png.push_back(static_cast<std::uint8_t>(crc >> s));
    expectError(test::WriteFile(dir / "huge.png", png), "");
    expectError(test::WriteFile(dir / "huge.bmp", test::BmpHeader(20000, 20000, 24)), "");
    expectError(test::WriteFile(dir / "huge.tga", test::TgaHeader(2, 20000, 20000, 24)),
                "too large");
    expectError(test::WriteFile(dir / "wide.tga", test::TgaHeader(2, 60000, 2, 24)), "too large");
}

TEST(PictureReader, TexturePixelsPutTheBottomRowFirstWithOpaqueAlpha) {
    RgbaImage img(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 9;
            p[3] = 17;
        }
    TexturePixels t = PictureToTexturePixels(img);
    EXPECT_EQ(t.width, 3);
    EXPECT_EQ(t.height, 2);
    EXPECT_EQ(t.format, PixelFormat::RGBA);
    EXPECT_EQ(t.data, (Bytes{0, 1, 9, 255, 1, 1, 9, 255, 2, 1, 9, 255,  //
                             0, 0, 9, 255, 1, 0, 9, 255, 2, 0, 9, 255}));
}

TEST(PictureReader, ExtensionListCoversTheDialogFormats) {
    std::size_t count = 0;
    for (const auto& f : PictureExtensions()) {
        EXPECT_FALSE(f.descriptions.empty());
        for (const auto& e : f.extensions) {
            ++count;
            EXPECT_TRUE(IsPictureExtension("x." + e)) << e;
        }
    }
    EXPECT_EQ(count, 28u);
    EXPECT_TRUE(IsPictureExtension("/a/B.JPEG"));
    EXPECT_FALSE(IsPictureExtension("a.gif"));
    EXPECT_FALSE(IsPictureExtension("jpg"));
    // Formats that hand data to other programs, draw with fonts read from
    // disk, have no signature to check, or that this build cannot decode.
    for (const char* gone : {"eps", "wmf", "emf", "psd", "pdd", "psp", "cel", "pic", "rla", "rpf",
                             "cut", "svg", "pdf"})
        EXPECT_FALSE(IsPictureExtension(std::string("x.") + gone)) << gone;
    const std::string patterns = PictureFilePatterns();
    EXPECT_EQ(patterns.substr(0, 18), "*.bmp *.rle *.dib ");
    EXPECT_NE(patterns.find(" *.png"), std::string::npos);
    EXPECT_EQ(patterns.find("eps"), std::string::npos);
}

// ---- Colour depth and saving ----

TEST(PictureDepth, SixteenBitPicturesMatchTheBitmapColours) {
    RgbaImage img = test::Gradient(40, 9);
    RgbaImage reduced = img;
    ReduceToDepth(reduced, 16);
    // The 16-bit bitmap stores exactly the reduced colours.
    Bytes b = Encode([&](std::ostream& o) { WriteBmp(img, 16, o); });
    Bytes r = Encode([&](std::ostream& o) { WriteBmp(reduced, 16, o); });
    EXPECT_EQ(b, r);
    RgbaImage twice = reduced;
    ReduceToDepth(twice, 16);
    EXPECT_EQ(twice.pixels, reduced.pixels);
    EXPECT_EQ(reduced.Pixel(39, 8)[1], img.Pixel(39, 8)[1]);  // 255 stays 255
    EXPECT_EQ(reduced.Pixel(0, 0)[0], 0);
    for (int bits : {24, 32}) {
        RgbaImage same = img;
        ReduceToDepth(same, bits);
        EXPECT_EQ(same.pixels, img.pixels);
    }

    test::TempDir dir;
    const std::string png = (dir / "c.png").string();
    SavePicture(img, PictureFileType::Png, 16, png);
    EXPECT_TRUE(SameColours(ReadPicture(png), reduced));
    SavePicture(img, PictureFileType::Png, 24, png);
    EXPECT_TRUE(SameColours(ReadPicture(png), img));
}

TEST(PictureDepth, SavesEachTypeAtomicallyAndNamesTypesByExtension) {
    test::TempDir dir;
    RgbaImage img = test::Gradient(8, 8);
    const std::string path = (dir / "shot").string();
    SavePicture(img, PictureFileType::Bmp, 16, path);
    EXPECT_EQ(test::ReadFile(path)[28], 16);
    SavePicture(img, PictureFileType::Jpeg, 24, path);
    EXPECT_EQ(test::ReadFile(path)[0], 0xFF);
    SavePicture(img, PictureFileType::Png, 32, path);
    const Bytes png = test::ReadFile(path);
    EXPECT_EQ(png[1], 'P');
    // A failed save leaves the old file as it was and no temporary behind.
    EXPECT_ANY_THROW(SavePicture(RgbaImage(0, 0), PictureFileType::Jpeg, 24, path));
    EXPECT_EQ(test::ReadFile(path), png);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    EXPECT_EQ(PictureTypeFromExtension("a.bmp"), PictureFileType::Bmp);
    EXPECT_EQ(PictureTypeFromExtension("/x/A.JPG"), PictureFileType::Jpeg);
    EXPECT_EQ(PictureTypeFromExtension("a.Jpeg"), PictureFileType::Jpeg);
    EXPECT_EQ(PictureTypeFromExtension("a.PNG"), PictureFileType::Png);
    EXPECT_THROW(PictureTypeFromExtension("a.gif"), std::invalid_argument);
    EXPECT_THROW(PictureTypeFromExtension("png"), std::invalid_argument);
}

}  // namespace
}  // namespace tessaly
