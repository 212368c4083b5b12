// The studio look, drawn from the build's own program folder: its picture
// properties (a soft shadow with a real penumbra, no horizon at a low camera,
// a floor of the floor's own colour, a reflection faded by the object's
// height) measured on whole pictures, and every cover type against its
// studio baseline.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "app/export/PictureExport.h"
#include "core/model/CoverTypes.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "support/ImageCompare.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

int Luma(const RgbaImage& image, int x, int y) {
    const std::uint8_t* p = image.Pixel(x, y);
    return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
}

int DimensionPosition(double factor) {
    return static_cast<int>((factor - 0.1) / 1.9 * 200.0 + 0.5);
}

class StudioLook : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        port_ = std::make_unique<RecordingPort>();
        state_ = std::make_unique<MainState>(ProgramDir().string() + "/", *port_,
                                             std::make_unique<EglContext>());
        SetupOptions options;
        options.width = kWidth;
        options.height = kHeight;
        ASSERT_TRUE(state_->Session.SetupRendering(options));
        state_->SetRenderingEnabled(true);
    }
    static void TearDownTestSuite() {
        state_.reset();
        port_.reset();
    }

    // Each test starts from the standard box at the shipped view, studio look.
    void SetUp() override {
        MainState& state = *state_;
        SelectCover(state, state.Session.Catalogue.FindEntry("stdbox"));
        MainControls& c = state.Controls;
        c.liftSB.SetPosition(15);
        c.ScrollBar4.SetPosition(330);
        c.ReflexionSB.SetPosition(0);
        c.CheckBox2.SetChecked(false);
        c.ShadowCheck.SetChecked(true);
        Scene& scene = state.Session.TheScene;
        scene.TheLook = Look::Studio;
        scene.ReflectionFade = kDefaultReflectionFade;
        scene.Floor.Textured = true;
        scene.Floor.Color = {1.0f, 1.0f, 1.0f};
        scene.Settings.BackgroundColor = {1.0f, 1.0f, 1.0f};
        scene.Settings.ShadowDarkness = 0.1f;
        scene.MainLight.SetX(0.0f);
        scene.MainLight.SetY(4.0f);
        scene.MainLight.SetZ(4.0f);
        state.Session.Frames.ShadowCheck = true;
    }

    static RgbaImage Capture() {
        return CaptureFrame(state_->Session.Frames, *state_->Session.Context, kWidth, kHeight);
    }
    static Scene& TheScene() { return state_->Session.TheScene; }

    // The scene a ray tracer was compared on: a slim customizable box, seen
    // from above at an angle, lit from the left, on a plain floor.
    static void ComparisonScene() {
        MainState& state = *state_;
        SelectCover(state, state.Session.Catalogue.FindEntry("cbox"));
        MainControls& c = state.Controls;
        c.BWidthSB.SetPosition(DimensionPosition(0.7));
        c.BHeightSB.SetPosition(DimensionPosition(1.0));
        c.BDepthSB.SetPosition(DimensionPosition(0.2));
        c.liftSB.SetPosition(30);
        c.ScrollBar4.SetPosition(330);
        Scene& scene = TheScene();
        scene.MainLight.SetX(-2.0f);
        scene.MainLight.SetY(3.0f);
        scene.MainLight.SetZ(2.0f);
        scene.Floor.Textured = false;
        scene.Settings.ShadowDarkness = 0.4f;
    }

    // Of the pixels the shadow darkens, the share darkened by less than 60%
    // of the deepest darkening (renders with the shadow on and off).
    static double PenumbraFraction() {
        state_->Session.Frames.ShadowCheck = true;
        const RgbaImage on = Capture();
        state_->Session.Frames.ShadowCheck = false;
        const RgbaImage off = Capture();
        state_->Session.Frames.ShadowCheck = true;
        int deepest = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                deepest = std::max(deepest, Luma(off, x, y) - Luma(on, x, y));
        long darkened = 0, penumbra = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int d = Luma(off, x, y) - Luma(on, x, y);
                if (d <= 2) continue;  // rounding, not shadow
                ++darkened;
                if (d < 0.6 * deepest) ++penumbra;
            }
        EXPECT_GT(darkened, 500) << "the shadow covers a fair part of the floor";
        return darkened == 0 ? 0.0 : static_cast<double>(penumbra) / darkened;
    }

    // Largest difference of two vertically neighbouring pixels in the band of
    // columns at the picture's left edge.
    static int LargestRowStep(const RgbaImage& image) {
        int largest = 0;
        for (int x = 0; x < 12; ++x)
            for (int y = 1; y < image.height; ++y)
                for (int ch = 0; ch < 3; ++ch)
                    largest = std::max(largest,
                                       std::abs(image.Pixel(x, y)[ch] - image.Pixel(x, y - 1)[ch]));
        return largest;
    }

    static std::unique_ptr<RecordingPort> port_;
    static std::unique_ptr<MainState> state_;
};

std::unique_ptr<RecordingPort> StudioLook::port_;
std::unique_ptr<MainState> StudioLook::state_;

TEST_F(StudioLook, ShadowHasAPenumbraWhereTheClassicOneIsHard) {
    ComparisonScene();
    const double studio = PenumbraFraction();
    TheScene().TheLook = Look::Classic;
    const double classic = PenumbraFraction();
    RecordProperty("studio_penumbra_fraction", std::to_string(studio));
    std::printf("penumbra fraction: studio %.3f, classic %.3f\n", studio, classic);
    EXPECT_GE(studio, 0.25);
    EXPECT_LT(classic, 0.1) << "the classic shadow is one even polygon";
}

TEST_F(StudioLook, ShowsNoHorizonAtALowCamera) {
    state_->Controls.liftSB.SetPosition(4);
    TheScene().Floor.Textured = false;
    TheScene().Floor.Color = {0.75f, 0.75f, 0.75f};
    const int studio = LargestRowStep(Capture());
    TheScene().TheLook = Look::Classic;
    const int classic = LargestRowStep(Capture());
    std::printf("largest row step at lift 4: studio %d, classic %d\n", studio, classic);
    EXPECT_LE(studio, 6);
    EXPECT_GT(classic, 6) << "the classic floor ends in a horizon line";
}

TEST_F(StudioLook, LitFloorKeepsItsColourUnderAReflection) {
    // In front of the cover, away from shadow and reflection, the floor has
    // exactly its colour, at any reflection strength (no grey tint).
    Scene& scene = TheScene();
    scene.Floor.Textured = false;
    scene.Floor.Color = {0.8f, 0.6f, 0.4f};
    scene.Settings.BackgroundColor = {0.2f, 0.3f, 0.9f};
    for (int reflection : {0, 40, 80}) {
        state_->Controls.ReflexionSB.SetPosition(reflection);
        const RgbaImage picture = Capture();
        const std::uint8_t* p = picture.Pixel(kWidth / 2, kHeight - 3);
        EXPECT_NEAR(p[0], 204, 2) << "reflection " << reflection;
        EXPECT_NEAR(p[1], 153, 2) << "reflection " << reflection;
        EXPECT_NEAR(p[2], 102, 2) << "reflection " << reflection;
    }
}

TEST_F(StudioLook, ReflectionFadesOverTheChosenShareOfTheHeight) {
    // The reflection is everything that differs from the picture without it;
    // it reaches further down the picture the larger the fade.
    Scene& scene = TheScene();
    scene.Floor.Textured = false;
    state_->Controls.liftSB.SetPosition(5);
    state_->Controls.ReflexionSB.SetPosition(0);
    const RgbaImage none = Capture();
    auto lowestReflectedRow = [&](float fade) {
        scene.ReflectionFade = fade;
        state_->Controls.ReflexionSB.SetPosition(100);
        const RgbaImage picture = Capture();
        state_->Controls.ReflexionSB.SetPosition(0);
        int lowest = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int ch = 0; ch < 3; ++ch)
                    if (std::abs(picture.Pixel(x, y)[ch] - none.Pixel(x, y)[ch]) > 8) lowest = y;
        return lowest;
    };
    const int short_ = lowestReflectedRow(0.2f);
    const int half = lowestReflectedRow(0.5f);
    const int full = lowestReflectedRow(1.5f);
    std::printf("lowest reflected row: fade 0.2 %d, 0.5 %d, 1.5 %d\n", short_, half, full);
    EXPECT_GT(short_, 0);
    EXPECT_LT(short_, half);
    EXPECT_LT(half, full);
}

TEST_F(StudioLook, ClassicLookIsUntouched) {
    // Switching to the studio look and back leaves the classic picture as it
    // was: the studio steps leave no GL state behind.
    TheScene().TheLook = Look::Classic;
    const RgbaImage before = Capture();
    TheScene().TheLook = Look::Studio;
    state_->Controls.ReflexionSB.SetPosition(50);
    (void)Capture();
    state_->Controls.ReflexionSB.SetPosition(0);
    TheScene().TheLook = Look::Classic;
    EXPECT_EQ(before.pixels, Capture().pixels);
}

TEST_F(StudioLook, TransparentPictureLeavesTheFloorOut) {
    // A textured floor in a colour of its own, a reflection and a shadow:
    // none of the floor's colour or picture may stay in a transparent
    // picture, only the cover, the shadow and the reflection.
    ComparisonScene();  // the shadow falls to the right of the cover
    state_->Controls.ReflexionSB.SetPosition(50);
    TheScene().Floor.Color = {0.9f, 0.6f, 0.3f};
    TheScene().Floor.Textured = true;
    const RgbaImage t = RenderTransparentPicture(state_->Session, kWidth, kHeight);
    state_->Controls.ReflexionSB.SetPosition(0);

    for (auto [x, y] : {std::pair{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1},
                        {kWidth - 1, kHeight - 1}, {kWidth / 2, kHeight - 1}})
        EXPECT_EQ(t.Pixel(x, y)[3], 0) << x << "," << y;
    EXPECT_EQ(t.Pixel(kWidth / 2, kHeight / 2)[3], 255) << "the cover is opaque";
    long shadow = 0, reflection = 0, floorColoured = 0;
    for (int y = kHeight / 2; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = t.Pixel(x, y);
            if (p[3] < 10 || p[3] > 245) continue;
            if (p[0] < 10 && p[1] < 10 && p[2] < 10) ++shadow;
            else ++reflection;
            // The floor's orange would show as red well above blue.
            if (p[0] > p[2] + 40) ++floorColoured;
        }
    std::printf("partial alpha: %ld shadow, %ld reflection pixels\n", shadow, reflection);
    EXPECT_GT(shadow, 200) << "the shadow is black with partial alpha";
    EXPECT_GT(reflection, 200) << "the reflection keeps partial alpha";
    EXPECT_EQ(floorColoured, 0);
}

class StudioCoverImage : public StudioLook,
                         public ::testing::WithParamInterface<std::string_view> {};

TEST_P(StudioCoverImage, MatchesItsBaseline) {
    const std::string id(GetParam());
    MainState& state = *state_;
    SelectCover(state, state.Session.Catalogue.FindEntry(id));
    MainControls& c = state.Controls;
    const bool isCase = id == "cdcase" || id == "dvdcase";
    c.ScrollBar4.SetPosition(isCase ? 20 : 330);
    c.ReflexionSB.SetPosition(30);
    if (isCase) {
        c.caseAngleSB.SetPosition(0);
        c.caseAngleSB.SetPosition(70);
    }
    EXPECT_TRUE(MatchesBaseline(Capture(), "studio_" + id));
    EXPECT_TRUE(port_->messages.empty()) << port_->messages.front().text;
}

INSTANTIATE_TEST_SUITE_P(AllTypes, StudioCoverImage, ::testing::ValuesIn([] {
                             std::vector<std::string_view> ids;
                             for (const CoverType& type : kCoverTypes) ids.push_back(type.Id);
                             return ids;
                         }()),
                         [](const ::testing::TestParamInfo<std::string_view>& p) {
                             return std::string(p.param);
                         });

}  // namespace
}  // namespace tessaly::test
