// The row writers: without the new abilities they give the very bytes of the
// capture's writers; the resolution reads back from each format, alpha is
// kept where the format holds it and refused where it does not.
#include <gtest/gtest.h>
#include <png.h>

#include <jpeglib.h>
#include <cstdio>

#include <sstream>

#include "ImageTestFiles.h"
#include "core/images/RowWriter.h"

namespace tessaly::test {
namespace {

// A picture with every alpha value along its rows and distinct colours.
RgbaImage Sample(int w = 37, int h = 11) {
    RgbaImage p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* q = p.Pixel(x, y);
            q[0] = static_cast<std::uint8_t>(x * 7);
            q[1] = static_cast<std::uint8_t>(y * 23);
            q[2] = static_cast<std::uint8_t>(x * y);
            q[3] = static_cast<std::uint8_t>((x * 255) / (w - 1));
        }
    return p;
}

std::string Write(const RgbaImage& image, const RowFormat& format) {
    std::ostringstream out;
    auto writer = MakeRowWriter(format, image.width, image.height, out);
    for (int i = 0; i < image.height; ++i)
        writer->WriteRow(image.Pixel(0, writer->BottomUp() ? image.height - 1 - i : i));
    writer->Finish();
    return out.str();
}

std::uint32_t Big32(const std::string& s, std::size_t at) {
    return (std::uint32_t(std::uint8_t(s[at])) << 24) | (std::uint8_t(s[at + 1]) << 16) |
           (std::uint8_t(s[at + 2]) << 8) | std::uint8_t(s[at + 3]);
}
std::uint32_t Little32(const std::string& s, std::size_t at) {
    return std::uint8_t(s[at]) | (std::uint8_t(s[at + 1]) << 8) | (std::uint8_t(s[at + 2]) << 16) |
           (std::uint32_t(std::uint8_t(s[at + 3])) << 24);
}

TEST(RowWriter, WithoutNewAbilitiesGivesTheCaptureWritersBytes) {
    // Opaque, as captured pictures are.
    RgbaImage image = Sample();
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) image.pixels[i] = 255;
    struct Case {
        PictureFileType type;
        int bits;
    };
    for (Case c : {Case{PictureFileType::Png, 24},
                   {PictureFileType::Png, 16},
                   {PictureFileType::Jpeg, 24},
                   {PictureFileType::Jpeg, 16},
                   {PictureFileType::Bmp, 16},
                   {PictureFileType::Bmp, 24},
                   {PictureFileType::Bmp, 32}}) {
        SCOPED_TRACE(std::to_string(int(c.type)) + " at " + std::to_string(c.bits));
        std::ostringstream whole;
        WritePicture(image, c.type, c.bits, whole);
        RowFormat format;
        format.type = c.type;
        format.bitsPerPixel = c.bits;
        EXPECT_EQ(Write(image, format), whole.str());
    }
}

TEST(RowWriter, ResolutionReadsBackFromEachFormat) {
    const RgbaImage image = Sample();
    RowFormat format;
    format.dpi = 300;  // 11811 pixels per metre

    format.type = PictureFileType::Png;
    const std::string png = Write(image, format);
    const std::size_t phys = png.find("pHYs");
    ASSERT_NE(phys, std::string::npos);
    EXPECT_EQ(Big32(png, phys + 4), 11811u);
    EXPECT_EQ(Big32(png, phys + 8), 11811u);
    EXPECT_EQ(png[phys + 12], 1) << "unit: metre";

    format.type = PictureFileType::Jpeg;
    const std::string jpg = Write(image, format);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpg.data()), jpg.size());
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(cinfo.density_unit, 1) << "dots per inch";
    EXPECT_EQ(cinfo.X_density, 300);
    EXPECT_EQ(cinfo.Y_density, 300);
    jpeg_destroy_decompress(&cinfo);

    for (int bits : {16, 24, 32}) {
        format.type = PictureFileType::Bmp;
        format.bitsPerPixel = bits;
        const std::string bmp = Write(image, format);
        EXPECT_EQ(Little32(bmp, 38), 11811u);
        EXPECT_EQ(Little32(bmp, 42), 11811u);
        EXPECT_EQ(Little32(bmp, 2), bmp.size());
    }

    // No resolution asked, none written.
    format.dpi = 0;
    format.type = PictureFileType::Png;
    EXPECT_EQ(Write(image, format).find("pHYs"), std::string::npos);
}

TEST(RowWriter, PngKeepsAlphaAsColourTypeSix) {
    const RgbaImage image = Sample();
    RowFormat format;
    format.alpha = true;
    const std::string png = Write(image, format);
    EXPECT_EQ(png[25], 6) << "colour type RGBA";
    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&read, png.data(), png.size()));
    read.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels, image.pixels);
}

TEST(RowWriter, ThirtyTwoBitBitmapCarriesAlphaWithAHeaderThatSaysSo) {
    const RgbaImage image = Sample(5, 2);
    RowFormat format;
    format.type = PictureFileType::Bmp;
    format.bitsPerPixel = 32;
    format.alpha = true;
    const std::string bmp = Write(image, format);
    EXPECT_EQ(Little32(bmp, 14), 124u) << "version 5 information header";
    EXPECT_EQ(Little32(bmp, 10), 14u + 124u);
    EXPECT_EQ(Little32(bmp, 30), 3u) << "bit fields";
    EXPECT_EQ(Little32(bmp, 54), 0x00FF0000u);
    EXPECT_EQ(Little32(bmp, 58), 0x0000FF00u);
    EXPECT_EQ(Little32(bmp, 62), 0x000000FFu);
    EXPECT_EQ(Little32(bmp, 66), 0xFF000000u);
    EXPECT_EQ(Little32(bmp, 2), bmp.size());
    // Bottom row first: the first pixel stored is (0, 1), B G R A.
    const std::uint8_t* p = image.Pixel(0, 1);
    const std::size_t at = 14 + 124;
    EXPECT_EQ(std::uint8_t(bmp[at + 0]), p[2]);
    EXPECT_EQ(std::uint8_t(bmp[at + 1]), p[1]);
    EXPECT_EQ(std::uint8_t(bmp[at + 2]), p[0]);
    EXPECT_EQ(std::uint8_t(bmp[at + 3]), p[3]);
    const std::uint8_t* last = image.Pixel(4, 0);
    EXPECT_EQ(std::uint8_t(bmp[bmp.size() - 1]), last[3]);
}

TEST(RowWriter, RefusesWhatTheFormatCannotHold) {
    std::ostringstream out;
    RowFormat jpeg;
    jpeg.type = PictureFileType::Jpeg;
    jpeg.alpha = true;
    EXPECT_NE(RowFormatProblem(jpeg).find("JPEG"), std::string::npos);
    EXPECT_THROW(MakeRowWriter(jpeg, 4, 4, out), RowWriteError);
    RowFormat bmp;
    bmp.type = PictureFileType::Bmp;
    bmp.alpha = true;
    for (int bits : {16, 24}) {
        bmp.bitsPerPixel = bits;
        EXPECT_NE(RowFormatProblem(bmp).find(std::to_string(bits) + "-bit"), std::string::npos);
    }
    bmp.bitsPerPixel = 32;
    EXPECT_EQ(RowFormatProblem(bmp), "");
    RowFormat dpi;
    dpi.dpi = kMaxDpi + 1;
    EXPECT_THROW(MakeRowWriter(dpi, 4, 4, out), RowWriteError);
    RowFormat png;
    EXPECT_THROW(MakeRowWriter(png, 0, 4, out), RowWriteError);
    EXPECT_TRUE(out.str().empty());
}

TEST(RowWriter, JpegQualityAndStreamErrors) {
    const RgbaImage image = Sample(64, 64);
    RowFormat low, high;
    low.type = high.type = PictureFileType::Jpeg;
    low.jpegQuality = 10;
    high.jpegQuality = 95;
    EXPECT_LT(Write(image, low).size(), Write(image, high).size());

    for (PictureFileType type :
         {PictureFileType::Png, PictureFileType::Jpeg, PictureFileType::Bmp}) {
        SCOPED_TRACE(int(type));
        std::ostringstream broken;
        broken.setstate(std::ios::badbit);
        RowFormat format;
        format.type = type;
        EXPECT_THROW(
            {
                auto writer = MakeRowWriter(format, image.width, image.height, broken);
                for (int y = 0; y < image.height; ++y) writer->WriteRow(image.Pixel(0, y));
                writer->Finish();
            },
            RowWriteError);
    }
}

}  // namespace
}  // namespace tessaly::test
