#include "render/RenderFixture.h"

#include <filesystem>

#include "core/images/JpegCodec.h"
#include "core/io/FileIO.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "support/ImageCompare.h"

namespace tessaly::test {

std::unique_ptr<TempDir> RenderFixture::folder_;
std::unique_ptr<RecordingPort> RenderFixture::port_;
std::unique_ptr<RenderSession> RenderFixture::session_;
SceneSettings RenderFixture::initial_;

namespace {

void Fill(RgbaImage& image, int x0, int y0, int x1, int y1, Rgb8 c) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(c.r);
            p[1] = static_cast<std::uint8_t>(c.g);
            p[2] = static_cast<std::uint8_t>(c.b);
            p[3] = 255;
        }
    }
}

}  // namespace

// Dark blue with a yellow band across the top and a white square at the
// bottom left, so a mirrored or upside-down front shows at once.
RgbaImage FrontPicture() {
    RgbaImage p(64, 64);
    Fill(p, 0, 0, 64, 64, {30, 50, 150});
    Fill(p, 0, 8, 64, 20, {240, 200, 40});
    Fill(p, 6, 44, 22, 60, {250, 250, 250});
    return p;
}

// Dark red with a white stripe near its top.
RgbaImage SidePicture() {
    RgbaImage p(16, 64);
    Fill(p, 0, 0, 16, 64, {160, 30, 40});
    Fill(p, 0, 6, 16, 14, {250, 250, 250});
    return p;
}

RgbaImage TopPicture() {
    RgbaImage p(32, 16);
    Fill(p, 0, 0, 32, 16, {40, 140, 60});
    return p;
}

// A soft grey checker: squares of one scene unit on the floor.
RgbaImage FloorPicture() {
    RgbaImage p(64, 64);
    Fill(p, 0, 0, 64, 64, {235, 235, 235});
    Fill(p, 0, 0, 32, 32, {190, 190, 190});
    Fill(p, 32, 32, 64, 64, {190, 190, 190});
    return p;
}

Rgb8 PixelAt(const RgbaImage& image, int x, int y) {
    const std::uint8_t* p = image.Pixel(x, y);
    return {p[0], p[1], p[2]};
}

void RenderFixture::SetUpTestSuite() {
    folder_ = std::make_unique<TempDir>();
    port_ = std::make_unique<RecordingPort>();
    const auto data = folder_->Path() / "Data";
    std::filesystem::create_directories(data);
    WriteFileAtomically(data / "floor.jpg",
                        [](std::ostream& out) { WriteJpeg(FloorPicture(), 95, out); });

    session_ = std::make_unique<RenderSession>(folder_->Path().string() + "/", *port_,
                                               std::make_unique<EglContext>());
    SetupOptions options;
    options.width = kFrameWidth;
    options.height = kFrameHeight;
    options.modelPath = (ProgramDir() / "Tsym" / "stdbox.emo").string();
    ASSERT_TRUE(session_->SetupRendering(options)) << "no OpenGL context";
    ASSERT_NE(session_->TheScene.Floor.Texture, 0u);

    const RgbaImage faces[3] = {FrontPicture(), SidePicture(), TopPicture()};
    const char* names[3] = {"front.png", "side.png", "top.png"};
    for (int i = 0; i < 3; ++i) {
        const auto path = folder_->Path() / names[i];
        WritePngFile(faces[i], path);
        ASSERT_TRUE(session_->SetFaceImage(i, path.string()));
    }
    // What choosing the standard box does for the renderer: its model becomes
    // the scene's, with the three face textures on "Front", "Side", "Top".
    ASSERT_EQ(session_->Catalogue.Count, 1);
    TmodelEMO& model = session_->Catalogue.Item(1).Model;
    ASSERT_FALSE(model.Objects.empty());
    model.SetTextureByName("Front", session_->ImageTextures[0]);
    model.SetTextureByName("Side", session_->ImageTextures[1]);
    model.SetTextureByName("Top", session_->ImageTextures[2]);
    session_->TheScene.Model = &model;
    initial_ = session_->TheScene.Settings;

    // The very first frame blends its reflection under OpenGL's default blend
    // function; every later frame runs under the scene's own. Draw it here
    // so each test sees the steady state, however the tests are run.
    session_->Frames.RenderFrame(false);
}

void RenderFixture::TearDownTestSuite() {
    session_.reset();
    port_.reset();
    folder_.reset();
}

void RenderFixture::SetUp() {
    ASSERT_TRUE(session_) << "the suite's session could not be set up";
    RenderSession& s = *session_;
    SceneSettings& settings = s.TheScene.Settings;
    settings = initial_;
    settings.CameraLift = 15.0f;
    settings.CoverRotate = 330.0f;  // front and the +X side both face the camera
    settings.BackgroundColor = {0.75f, 0.85f, 1.0f};
    PlaceLight(-5.0f, 6.0f, 4.0f);

    s.TheScene.Floor.InitFloor();
    s.TheScene.Floor.Textured = true;
    s.TheScene.ShowAxes = false;
    s.Frames.RenderingEnabled = true;
    s.Frames.TrackBar1 = FrameDriver::kTrackBar1Min;
    s.Frames.CheckBox2 = false;
    s.Frames.ShadowCheck = true;
    s.Frames.CheckActive = false;

    glBindFramebuffer(GL_FRAMEBUFFER, s.Context->TargetFramebuffer());
    s.Context->Reshape(kFrameWidth, kFrameHeight);
    port_->messages.clear();
    port_->status.clear();
    port_->firstPanel.clear();
    port_->answers.clear();
}

void RenderFixture::PlaceLight(float x, float y, float z) {
    TGLLight& light = session_->TheScene.MainLight;
    light.SetX(x);
    light.SetY(y);
    light.SetZ(z);
}

RgbaImage RenderFixture::RenderFrame() {
    session_->Frames.RenderFrame(false);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, session_->Context->TargetFramebuffer());
    return ReadFramePixels(kFrameWidth, kFrameHeight);
}

RgbaImage RenderFixture::RenderFrame(int passes) {
    session_->Frames.TrackBar1 = passes;
    session_->TheScene.Settings.AAPasses = passes;
    return RenderFrame();
}

RgbaImage RenderFixture::Capture() {
    return CaptureFrame(session_->Frames, *session_->Context, kFrameWidth, kFrameHeight);
}

}  // namespace tessaly::test
