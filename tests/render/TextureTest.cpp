// Texture loading through both roads: the file road chosen by the name's
// ending, the picture road, what reaches OpenGL (row order, channel order,
// alpha), the readers' messages through the user port, and start-up without
// a floor picture.
#include <fstream>

#include "core/images/JpegCodec.h"
#include "core/io/FileIO.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "render/RenderFixture.h"
#include "render/Textures.h"

namespace tessaly::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, unsigned v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::string Save(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path.string();
}

// A 24-bit bitmap of 4 x 2 pixels (rows need no padding), stored bottom row
// first in blue-green-red order: bottom row blue-ish (10, 20, 200), top row
// red-ish (200, 30, 40), both as red-green-blue.
Bytes Bitmap4x2(std::uint32_t colorsUsed = 0, std::size_t keepData = 24) {
    Bytes b{'B', 'M'};
    Put32(b, 54 + 24);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, 4);
    Put32(b, 2);
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, i == 4 ? colorsUsed : 0);
    Bytes data;
    for (int i = 0; i < 4; ++i) data.insert(data.end(), {200, 20, 10});  // bottom: BGR
    for (int i = 0; i < 4; ++i) data.insert(data.end(), {40, 30, 200});  // top: BGR
    b.insert(b.end(), data.begin(), data.begin() + static_cast<long>(keepData));
    return b;
}

// An uncompressed Targa of 4 x 2 pixels, bottom row first, BGR(A).
Bytes Targa(int type, int bits, int colorMapType = 0, std::size_t keepData = SIZE_MAX) {
    Bytes b(18, 0);
    b[1] = static_cast<std::uint8_t>(colorMapType);
    b[2] = static_cast<std::uint8_t>(type);
    b[12] = 4;
    b[14] = 2;
    b[16] = static_cast<std::uint8_t>(bits);
    Bytes data;
    const int bytes = bits / 8;
    for (int i = 0; i < 8; ++i) {
        const bool bottom = i < 4;
        data.push_back(bottom ? 200 : 40);
        data.push_back(bottom ? 20 : 30);
        data.push_back(bottom ? 10 : 200);
        if (bytes == 4) data.push_back(bottom ? 128 : 255);
    }
    if (keepData < data.size()) data.resize(keepData);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

struct TexImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;  // level 0, bottom row first
    const std::uint8_t* At(int x, int y) const { return rgba.data() + (y * width + x) * 4; }
};

TexImage ReadTexture(GLuint name) {
    TexImage t;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &t.height);
    t.rgba.resize(std::size_t(t.width) * t.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, t.rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return t;
}

void ExpectRgba(const std::uint8_t* p, int r, int g, int b, int a, const std::string& what) {
    EXPECT_NEAR(p[0], r, 1) << what;
    EXPECT_NEAR(p[1], g, 1) << what;
    EXPECT_NEAR(p[2], b, 1) << what;
    EXPECT_EQ(p[3], a) << what;
}

class TextureTest : public RenderFixture {
  protected:
    TempDir dir_;
};

TEST_F(TextureTest, FileRoadChoosesTheReaderByEndingInAnyCase) {
    const Bytes bmp = Bitmap4x2();
    const Bytes tga = Targa(2, 24);
    RgbaImage jpegPicture(8, 8);
    for (std::size_t k = 0; k < jpegPicture.pixels.size(); k += 4) {
        jpegPicture.pixels[k] = 40;
        jpegPicture.pixels[k + 1] = 160;
        jpegPicture.pixels[k + 2] = 90;
        jpegPicture.pixels[k + 3] = 255;
    }
    const auto writeJpeg = [&](const std::string& name) {
        WriteFileAtomically(dir_ / name,
                            [&](std::ostream& out) { WriteJpeg(jpegPicture, 95, out); });
        return (dir_ / name).string();
    };

    struct Case {
        std::string path;
        int r, g, b;  // colour of the first uploaded (bottom) row
    };
    const std::vector<Case> cases = {
        {Save(dir_ / "a.BMP", bmp), 10, 20, 200}, {Save(dir_ / "b.bmp", bmp), 10, 20, 200},
        {Save(dir_ / "c.Bmp", bmp), 10, 20, 200}, {Save(dir_ / "d.TGA", tga), 10, 20, 200},
        {Save(dir_ / "e.tga", tga), 10, 20, 200}, {writeJpeg("f.JPG"), 40, 160, 90},
        {writeJpeg("g.jpg"), 40, 160, 90},        {writeJpeg("h.jPg"), 40, 160, 90},
    };
    for (const Case& c : cases) {
        GLuint handle = 0;
        ASSERT_TRUE(TextureFromFile(c.path, handle, Port())) << c.path;
        ASSERT_NE(handle, 0u) << c.path;
        const TexImage t = ReadTexture(handle);
        ASSERT_GT(t.width, 0) << c.path;
        // Alpha is 255 on both roads for opaque pictures; JPEG colours may
        // move by a level or two.
        EXPECT_NEAR(t.At(0, 0)[0], c.r, 3) << c.path;
        EXPECT_NEAR(t.At(0, 0)[1], c.g, 3) << c.path;
        EXPECT_NEAR(t.At(0, 0)[2], c.b, 3) << c.path;
        EXPECT_EQ(t.At(0, 0)[3], 255) << c.path;
        if (c.b == 200) {
            // Bitmap and Targa: the top row is uploaded last, channels swapped.
            EXPECT_EQ(t.height, 2);
            ExpectRgba(t.At(3, 1), 200, 30, 40, 255, c.path);
        }
        ReleaseTexture(handle);
        EXPECT_EQ(handle, 0u);
    }
    EXPECT_TRUE(Port().messages.empty());
}

TEST_F(TextureTest, OtherEndingsMakeNothingAndSayNothing) {
    RgbaImage picture(4, 4);
    WriteFileAtomically(dir_ / "valid.jpeg",
                        [&](std::ostream& out) { WriteJpeg(picture, 80, out); });
    Save(dir_ / "x.png", Bitmap4x2());
    Save(dir_ / "jpg", Bitmap4x2());
    for (const std::string& path : {(dir_ / "valid.jpeg").string(), (dir_ / "x.png").string(),
                                    (dir_ / "jpg").string(), std::string("bmp"), std::string("")}) {
        GLuint handle = 77;
        EXPECT_FALSE(TextureFromFile(path, handle, Port())) << path;
        EXPECT_EQ(handle, 77u) << path;
    }
    EXPECT_TRUE(Port().messages.empty());
}

TEST_F(TextureTest, ReaderFailuresAreShownWithTheirCaptions) {
    struct Case {
        std::string path;
        std::string message;
        std::string caption;
    };
    const std::string missingBmp = (dir_ / "missing.bmp").string();
    const std::string palette = Save(dir_ / "palette.bmp", Bitmap4x2(1000));
    const std::string shortBmp = Save(dir_ / "short.bmp", Bitmap4x2(0, 10));
    const std::string badJpeg = Save(dir_ / "bad.jpg", Bytes{0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3});
    const std::string missingTga = (dir_ / "missing.tga").string();
    const std::string grey = Save(dir_ / "grey.tga", Targa(3, 8));
    const std::string mapped = Save(dir_ / "mapped.tga", Targa(2, 24, 1));
    const std::string sixteen = Save(dir_ / "sixteen.tga", Targa(2, 16));
    const std::string shortTga = Save(dir_ / "short.tga", Targa(2, 24, 0, 10));
    const std::vector<Case> cases = {
        {missingBmp, "Error opening " + missingBmp, "BMP Unit"},
        {palette, "Error reading palette", "BMP Unit"},
        {shortBmp, "Error reading bitmap data", "BMP Unit"},
        {badJpeg, "Couldn't load JPG - \"" + badJpeg + "\"", "BMP Unit"},
        {missingTga, "File not found  - " + missingTga, "TGA Texture"},
        {grey, "Couldn't load \"" + grey + "\". Only 24 and 32bit TGA supported.",
         "TGA File Error"},
        {mapped, "Couldn't load \"" + mapped + "\". Colormapped TGA files not supported.",
         "TGA File Error"},
        {sixteen, "Couldn't load \"" + sixteen + "\". Only 24 and 32 bit TGA files supported.",
         "TGA File Error"},
        {shortTga, "Couldn't read file \"" + shortTga + "\".", "TGA File Error"},
    };
    for (const Case& c : cases) {
        Port().messages.clear();
        GLuint handle = 77;
        EXPECT_FALSE(TextureFromFile(c.path, handle, Port())) << c.path;
        EXPECT_EQ(handle, 77u) << c.path;
        ASSERT_EQ(Port().messages.size(), 1u) << c.path;
        const ShownMessage& m = Port().messages[0];
        EXPECT_EQ(m.text, c.message);
        EXPECT_EQ(m.caption, c.caption) << c.path;
        EXPECT_EQ(m.kind, MessageKind::Error) << c.path;
        EXPECT_EQ(m.buttons, MessageButtons::Ok) << c.path;
    }
}

TEST_F(TextureTest, ThirtyTwoBitTargaKeepsItsAlpha) {
    GLuint handle = 0;
    ASSERT_TRUE(TextureFromFile(Save(dir_ / "alpha.tga", Targa(2, 32)), handle, Port()));
    const TexImage t = ReadTexture(handle);
    ExpectRgba(t.At(0, 0), 10, 20, 200, 128, "bottom row");
    ExpectRgba(t.At(0, 1), 200, 30, 40, 255, "top row");
    ReleaseTexture(handle);
}

TEST_F(TextureTest, PictureRoadUploadsBottomRowFirstWithOpaqueAlpha) {
    // 3 x 2: top row red-ish with alpha 0, bottom row blue-ish with alpha 7.
    RgbaImage picture(3, 2);
    for (int x = 0; x < 3; ++x) {
        std::uint8_t* top = picture.Pixel(x, 0);
        std::uint8_t* bottom = picture.Pixel(x, 1);
        top[0] = 220, top[1] = 30, top[2] = 40, top[3] = 0;
        bottom[0] = 20, bottom[1] = 60, bottom[2] = 210, bottom[3] = 7;
    }
    GLuint handle = 5;
    const GLuint before = handle;
    TextureFromPicture(picture, handle);
    ASSERT_NE(handle, before);
    const TexImage t = ReadTexture(handle);
    // The mipmap builder may bring the width to a power of two; each row is
    // one colour, so the rows survive that unchanged.
    ASSERT_EQ(t.height, 2);
    for (int x = 0; x < t.width; ++x) {
        ExpectRgba(t.At(x, 0), 20, 60, 210, 255, "first uploaded row");
        ExpectRgba(t.At(x, 1), 220, 30, 40, 255, "last uploaded row");
    }
    ReleaseTexture(handle);

    // An empty picture makes no texture.
    GLuint untouched = 9;
    TextureFromPicture(RgbaImage(), untouched);
    EXPECT_EQ(untouched, 9u);
}

// Start-up in a program folder without "Data": no textures, no messages, and
// the floor drawn in its plain colour although "Activated" is set.
TEST(StartWithoutData, FloorStaysUntexturedWithoutAMessage) {
    TempDir folder;
    RecordingPort port;
    RenderSession session(folder.Path().string() + "/", port, std::make_unique<EglContext>());
    SetupOptions options;
    options.width = kFrameWidth;
    options.height = kFrameHeight;
    options.modelPath = (ProgramDir() / "Tsym" / "stdbox.emo").string();
    ASSERT_TRUE(session.SetupRendering(options));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(session.TheScene.Floor.Texture, 0u);
    EXPECT_TRUE(session.TheScene.Floor.Textured);
    EXPECT_EQ(session.ImageTextures, (std::array<GLuint, 3>{0, 0, 0}));
    EXPECT_EQ(session.FloorPath, folder.Path().string() + "/Data/floor.jpg");

    session.TheScene.Model = &session.Catalogue.Item(1).Model;
    session.TheScene.Floor.Color = {0.5f, 0.25f, 0.75f};
    session.TheScene.Settings.CameraLift = 15.0f;
    session.Frames.RenderFrame(false);
    session.Frames.RenderFrame(false);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, session.Context->TargetFramebuffer());
    const RgbaImage picture = ReadFramePixels(kFrameWidth, kFrameHeight);
    for (auto [x, y] : {std::pair{2, kFrameHeight - 3}, std::pair{kFrameWidth - 3, 200}}) {
        const Rgb8 p = PixelAt(picture, x, y);
        EXPECT_NEAR(p.r, 128, 1);
        EXPECT_NEAR(p.g, 64, 1);
        EXPECT_NEAR(p.b, 191, 1);
    }
    EXPECT_TRUE(port.messages.empty());
}

}  // namespace
}  // namespace tessaly::test
