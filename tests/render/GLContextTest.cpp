// The context's viewport and default projection, the lights' position and
// marker, and the driver capabilities log.
#include <cmath>
#include <fstream>
#include <sstream>

#include "render/Capture.h"
#include "render/RenderFixture.h"

namespace tessaly::test {
namespace {

std::array<float, 16> Matrix(GLenum which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

// Window position of a world point under the current matrices and viewport;
// y counted from the top row, as pictures are.
std::pair<int, int> PixelOf(float x, float y, float z) {
    std::array<double, 16> model{}, projection{};
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, model.data(), projection.data(), viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx), viewport[3] - 1 - static_cast<int>(wy)};
}

class GLContextTest : public RenderFixture {};

TEST_F(GLContextTest, ReshapeWithAZeroSideUsesAspectOne) {
    for (auto [w, h] : {std::pair{320, 0}, std::pair{0, 240}, std::pair{-5, 240}}) {
        Context().Reshape(w, h);
        const auto p = Matrix(GL_PROJECTION_MATRIX);
        EXPECT_FLOAT_EQ(p[0], p[5]) << w << "x" << h;
        EXPECT_TRUE(std::isfinite(p[0]));
    }
    Context().Reshape(320, 240);
    const auto p = Matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5] / p[0], 320.0 / 240.0, 1e-5);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);
    // Reshape leaves the model-view matrix selected and reset.
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(GLContextTest, FrameWithZeroViewportHeightDrawsWithoutFault) {
    Context().Reshape(320, 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    for (int passes : {1, 8}) {
        Session().Frames.TrackBar1 = passes;
        Settings().AAPasses = passes;
        EXPECT_NO_THROW(Session().Frames.RenderFrame(true));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << passes << " passes";
        for (float v : Matrix(GL_PROJECTION_MATRIX)) EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(GLContextTest, ApplyPositionSendsTheStoredPositionAsDirectional) {
    TGLLight light;
    light.Init(GL_LIGHT2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    std::array<float, 4> sent{};

    light.SetPosition(1, 2, 3, 1);
    glGetLightfv(GL_LIGHT2, GL_POSITION, sent.data());
    EXPECT_EQ(sent, (std::array<float, 4>{1, 2, 3, 1}));

    light.ApplyPosition();
    glGetLightfv(GL_LIGHT2, GL_POSITION, sent.data());
    EXPECT_EQ(sent, (std::array<float, 4>{1, 2, 3, 0}));
    EXPECT_EQ(light.GetW(), 0.0f);

    // SetX/SetY/SetZ only store; the next ApplyPosition sends them.
    light.SetX(-4);
    light.SetZ(7);
    glGetLightfv(GL_LIGHT2, GL_POSITION, sent.data());
    EXPECT_EQ(sent, (std::array<float, 4>{1, 2, 3, 0}));
    light.ApplyPosition();
    glGetLightfv(GL_LIGHT2, GL_POSITION, sent.data());
    EXPECT_EQ(sent, (std::array<float, 4>{-4, 2, 7, 0}));
}

TEST_F(GLContextTest, MarkerIsYellowWhateverTheLightAndTexture) {
    // Lighting on with a blue light, and a red texture bound: the marker
    // switches both off and is plain yellow.
    glBindFramebuffer(GL_FRAMEBUFFER, Context().TargetFramebuffer());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    TGLLight light;
    light.Init(GL_LIGHT3);
    light.SetDiffuse(0, 0, 1, 1);
    light.SetAmbient(0, 0, 1, 1);
    light.Enable();
    glEnable(GL_LIGHTING);
    const std::uint8_t red[4] = {255, 0, 0, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);

    light.SetX(0);
    light.SetY(0);
    light.SetZ(0);
    light.DrawMarker(0.5f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    light.Disable();
    glDeleteTextures(1, &texture);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, Context().TargetFramebuffer());
    const RgbaImage picture = ReadFramePixels(kFrameWidth, kFrameHeight);
    const Rgb8 centre = PixelAt(picture, kFrameWidth / 2, kFrameHeight / 2);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 255);
    EXPECT_EQ(centre.b, 0);
}

TEST_F(GLContextTest, SceneDrawsTheMarkerAtTheLightPositionInWorldCoordinates) {
    PlaceLight(1.5f, 1.2f, 1.5f);
    Session().Frames.CheckBox2 = true;
    for (Rgb colour : {Rgb{0.0f, 0.0f, 1.0f}, Rgb{1.0f, 0.2f, 0.2f}}) {
        Settings().LightColor = colour;
        const RgbaImage picture = RenderFrame(1);
        // The frame leaves the camera transform and its projection in force.
        const auto [x, y] = PixelOf(1.5f, 1.2f, 1.5f);
        ASSERT_TRUE(x > 0 && x < kFrameWidth && y > 0 && y < kFrameHeight);
        const Rgb8 p = PixelAt(picture, x, y);
        EXPECT_EQ(p.r, 255);
        EXPECT_EQ(p.g, 255);
        EXPECT_EQ(p.b, 0);
    }
    // Without "Draw lightsource" the spot shows the background.
    Session().Frames.CheckBox2 = false;
    const RgbaImage picture = RenderFrame(1);
    const auto [x, y] = PixelOf(1.5f, 1.2f, 1.5f);
    EXPECT_NE(PixelAt(picture, x, y).b, 0);
}

// The log needs no context of its own: the driver strings are passed in.
class LogOnlyContext : public TGLContext {
  public:
    bool CreateContext(int, int, UserPort&) override { return false; }
    GLuint TargetFramebuffer() const override { return 0; }
};

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kHyphens = "------------------------------";

TEST(CapabilitiesLog, HeadersValuesAndOneExtensionPerLine) {
    TempDir dir;
    LogOnlyContext context;
    context.SetLogName((dir / "log.txt").string());
    ASSERT_TRUE(context.WriteCapabilitiesLog("Vendor X", "Renderer Y", "2.1 Z", "GL_A GL_B GL_C"));
    EXPECT_EQ(ReadText(dir / "log.txt"), "[VENDOR]\r\nVendor X\r\n" + kHyphens +
                                             "\r\n[RENDERER]\r\nRenderer Y\r\n" + kHyphens +
                                             "\r\n[VERSION]\r\n2.1 Z\r\n" + kHyphens +
                                             "\r\n[EXTENSIONS]\r\nGL_A\r\nGL_B\r\nGL_C");
    EXPECT_EQ(kHyphens.size(), 30u);

    // Only a blank at the end of the driver's string ends the file with a
    // line end.
    ASSERT_TRUE(context.WriteCapabilitiesLog("v", "r", "1", "GL_A GL_B "));
    const std::string text = ReadText(dir / "log.txt");
    EXPECT_EQ(text.substr(text.size() - 12), "GL_A\r\nGL_B\r\n");
}

TEST(CapabilitiesLog, EmptyExtensionStringEndsWithTheHeader) {
    TempDir dir;
    LogOnlyContext context;
    context.SetLogName((dir / "log.txt").string());
    ASSERT_TRUE(context.WriteCapabilitiesLog("", "", "", ""));
    EXPECT_EQ(ReadText(dir / "log.txt"), "[VENDOR]\r\n\r\n" + kHyphens + "\r\n[RENDERER]\r\n\r\n" +
                                             kHyphens + "\r\n[VERSION]\r\n\r\n" + kHyphens +
                                             "\r\n[EXTENSIONS]\r\n");
}

TEST(CapabilitiesLog, SecondStartLeavesOnlyItsOwnLines) {
    TempDir dir;
    const auto path = dir / "log.txt";
    {
        LogOnlyContext first;
        first.SetLogName(path.string());
        ASSERT_TRUE(first.WriteCapabilitiesLog("A long vendor name", "A long renderer name",
                                               "9.9 with a long version text",
                                               "GL_ONE GL_TWO GL_THREE GL_FOUR GL_FIVE"));
    }
    LogOnlyContext second;
    second.SetLogName(path.string());
    ASSERT_TRUE(second.WriteCapabilitiesLog("B", "R", "1", "GL_X"));
    EXPECT_EQ(ReadText(path), "[VENDOR]\r\nB\r\n" + kHyphens + "\r\n[RENDERER]\r\nR\r\n" +
                                  kHyphens + "\r\n[VERSION]\r\n1\r\n" + kHyphens +
                                  "\r\n[EXTENSIONS]\r\nGL_X");
}

TEST(CapabilitiesLog, UnwritableLogIsSkipped) {
    TempDir dir;
    LogOnlyContext context;
    context.SetLogName((dir / "missing-folder" / "log.txt").string());
    EXPECT_FALSE(context.WriteCapabilitiesLog("v", "r", "1", "GL_A"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing-folder"));
}

TEST_F(GLContextTest, LogOfTheRealDriverNamesItsStrings) {
    TempDir dir;
    Context().SetLogName((dir / "log.txt").string());
    ASSERT_TRUE(Context().WriteCapabilitiesLog());
    std::vector<std::string> lines;
    std::istringstream in(ReadText(dir / "log.txt"));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 11u);
    EXPECT_EQ(lines[1], GLString(GL_VENDOR));
    EXPECT_EQ(lines[4], GLString(GL_RENDERER));
    EXPECT_EQ(lines[7], GLString(GL_VERSION));
    EXPECT_EQ(lines[9], "[EXTENSIONS]");
    std::vector<std::string> extensions;
    std::istringstream words(GLString(GL_EXTENSIONS));
    for (std::string w; words >> w;) extensions.push_back(w);
    ASSERT_FALSE(extensions.empty());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()), extensions);
}

}  // namespace
}  // namespace tessaly::test
