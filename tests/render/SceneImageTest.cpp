// Pictures of the standard box against the baselines in tests/baselines/,
// each under one change of the scene settings, plus the pixel arithmetic of
// the floor and shadow that a baseline alone would not pin down.
#include <cmath>

#include "render/Capture.h"
#include "render/RenderFixture.h"
#include "support/ImageCompare.h"

namespace tessaly::test {
namespace {

class SceneImageTest : public RenderFixture {};

// Pixels where two pictures differ at all.
long CountDiffering(const RgbaImage& a, const RgbaImage& b) {
    long n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (a.Pixel(x, y)[c] != b.Pixel(x, y)[c]) {
                    ++n;
                    break;
                }
    return n;
}

// Every pixel that differs between `lit` and `shadowed` must be the lit
// colour times `factor` (within rounding); returns how many there were.
long CheckShadowFactor(const RgbaImage& lit, const RgbaImage& shadowed, float factor) {
    long shadowPixels = 0;
    for (int y = 0; y < lit.height; ++y) {
        for (int x = 0; x < lit.width; ++x) {
            const std::uint8_t* l = lit.Pixel(x, y);
            const std::uint8_t* s = shadowed.Pixel(x, y);
            if (l[0] == s[0] && l[1] == s[1] && l[2] == s[2]) continue;
            ++shadowPixels;
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(s[c], l[c] * factor, 2.0)
                    << "pixel " << x << "," << y << " channel " << c;
                if (std::abs(s[c] - l[c] * factor) > 2.0) return shadowPixels;
            }
        }
    }
    return shadowPixels;
}

TEST_F(SceneImageTest, OnePassAndEightPasses) {
    Settings().FloorOpacity = 0.5f;
    Settings().ShadowDarkness = 0.3f;
    Settings().Distance = 4.0f;
    const RgbaImage one = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(one, "aa_one_pass"));
    const RgbaImage eight = RenderFrame(8);
    EXPECT_TRUE(MatchesBaseline(eight, "aa_eight_passes"));
    // Antialiasing changes edges only, but it does change them.
    EXPECT_GT(CountDiffering(one, eight), 500);

    // The capture draws the same 8-pass frame into a target of its own.
    Settings().AAPasses = 1;
    Session().Frames.TrackBar1 = 1;
    const RgbaImage captured = Capture();
    EXPECT_EQ(CountDiffering(captured, eight), 0);
}

TEST_F(SceneImageTest, Reflection) {
    Settings().ShadowDarkness = 0.3f;

    Settings().FloorOpacity = 1.0f;  // "No reflexion"
    const RgbaImage none = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(none, "reflection_none"));

    Settings().FloorOpacity = 0.5f;
    const RgbaImage middle = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(middle, "reflection_middle"));

    Settings().FloorOpacity = 0.0f;  // "High"
    const RgbaImage high = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(high, "reflection_high"));

    // With the floor fully transparent, floor far from the cover is the
    // background colour itself.
    const Rgb8 corner = PixelAt(high, 2, kFrameHeight - 3);
    EXPECT_NEAR(corner.r, 191, 1);
    EXPECT_NEAR(corner.g, 217, 1);
    EXPECT_NEAR(corner.b, 255, 1);
    // The opaque floor there is the floor texture, not the background.
    EXPECT_LT(PixelAt(none, 2, kFrameHeight - 3).b, 245);
}

TEST_F(SceneImageTest, Shadow) {
    Session().Frames.ShadowCheck = false;
    const RgbaImage off = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(off, "shadow_off"));

    Session().Frames.ShadowCheck = true;
    const RgbaImage normal = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(normal, "shadow_default"));

    Settings().ShadowDarkness = 0.5f;  // the slider's maximum
    const RgbaImage darkest = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(darkest, "shadow_darkest"));

    // On the opaque floor the shadow is (1 - S) times the floor; the rest of
    // the floor is untouched.
    const long darkPixels = CheckShadowFactor(off, darkest, 0.5f);
    EXPECT_GT(darkPixels, 1500);
    EXPECT_EQ(CheckShadowFactor(off, normal, 0.9f), darkPixels);

    // With darkness 0 the shadow cannot be seen on an opaque floor.
    Settings().ShadowDarkness = 0.0f;
    EXPECT_EQ(CountDiffering(off, RenderFrame(1)), 0);
}

TEST_F(SceneImageTest, AmbientLightWithDarkLightColour) {
    Settings().LightColor = {0.15f, 0.15f, 0.25f};
    const RgbaImage without = RenderFrame(1);
    Settings().AmbientLevel = 1.0f;
    const RgbaImage with = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(with, "ambient_full_dark_light"));

    // The ambient light adds the light colour over the whole cover: the
    // front's centre is brighter with it.
    const Rgb8 a = PixelAt(without, 150, 120);
    const Rgb8 b = PixelAt(with, 150, 120);
    EXPECT_GT(b.r + b.g + b.b, a.r + a.g + a.b + 20);
}

TEST_F(SceneImageTest, AxesAndLightMarker) {
    PlaceLight(1.5f, 1.2f, 1.5f);
    TheScene().ShowAxes = true;
    Session().Frames.CheckBox2 = true;
    EXPECT_TRUE(MatchesBaseline(RenderFrame(1), "axes_and_light_marker"));
}

TEST_F(SceneImageTest, CoverLiftedOffTheFloor) {
    // Further away, and with some reflection, so cover, reflection and
    // shadow are all in the picture.
    Settings().Distance = 6.5f;
    Settings().FloorOpacity = 0.5f;
    RenderFrame(1);
    const float floorOnGround = Settings().FloorHeight;
    Settings().CoverLift = 1.0f;
    const RgbaImage lifted = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(lifted, "cover_lifted"));
    // Floor, reflection and shadow stay at the cover's lowest point.
    EXPECT_FLOAT_EQ(Settings().FloorHeight, floorOnGround);
}

TEST_F(SceneImageTest, CoverRolledCornerDown) {
    RenderFrame(1);
    const float upright = Settings().FloorHeight;
    Settings().CoverRollZ = 45.0f;
    Settings().CoverRollX = 30.0f;
    const RgbaImage rolled = RenderFrame(1);
    EXPECT_TRUE(MatchesBaseline(rolled, "cover_rolled_corner_down"));
    // The floor moves down to the lowest corner.
    EXPECT_LT(Settings().FloorHeight, upright - 0.15f);
}

}  // namespace
}  // namespace tessaly::test
