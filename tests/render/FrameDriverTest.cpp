// The frame routine: the jittered projection, which jitter entries a frame
// uses and how its passes are weighted, the status texts, the capture's
// fixed 8 passes, and the frame-rate check after the antialiasing slider
// moves.
#include <cmath>

#include "render/Capture.h"
#include "render/Jitter.h"
#include "render/RenderFixture.h"

namespace tessaly::test {
namespace {

// Where the eye-space point (0, 0, -1) lands in a viewport of vw x vh under
// the projection `p` (column-major).
std::pair<double, double> CentreInWindow(const std::array<double, 16>& p, int vw, int vh) {
    const double clipX = -p[8] + p[12];
    const double clipY = -p[9] + p[13];
    const double clipW = -p[11] + p[15];
    return {(clipX / clipW + 1.0) * vw / 2.0, (clipY / clipW + 1.0) * vh / 2.0};
}

std::array<double, 16> FrustumMatrix(const FrustumPlanes& f) {
    const double l = f.left, r = f.right, b = f.bottom, t = f.top, n = f.nearPlane, fa = f.farPlane;
    return {2 * n / (r - l),
            0,
            0,
            0,
            0,
            2 * n / (t - b),
            0,
            0,
            (r + l) / (r - l),
            (t + b) / (t - b),
            -(fa + n) / (fa - n),
            -1,
            0,
            0,
            -2 * fa * n / (fa - n),
            0};
}

TEST(JitteredFrustumPlanes, ShiftsThePictureByThePixelOffset) {
    // A 45-degree frustum for 320 x 240: the view's centre moves by exactly
    // the requested fraction of a pixel, right and up for positive offsets.
    const double top = 0.1 * std::tan(22.5 * 3.14159265358979 / 180.0);
    const double right = top * 320.0 / 240.0;
    for (const JitterPoint& j : JitterTable) {
        const FrustumPlanes f = JitteredFrustumPlanes(-right, right, -top, top, 0.1, 1000.0, j.dx,
                                                      j.dy, 0.0, 0.0, 1.0, 320, 240);
        EXPECT_DOUBLE_EQ(f.right - f.left, 2 * right);
        EXPECT_DOUBLE_EQ(f.top - f.bottom, 2 * top);
        const auto [x, y] = CentreInWindow(FrustumMatrix(f), 320, 240);
        EXPECT_NEAR(x, 160.0 + j.dx, 1e-9);
        EXPECT_NEAR(y, 120.0 + j.dy, 1e-9);
    }
    // An eye offset moves the planes by eye * near / focus.
    const FrustumPlanes e =
        JitteredFrustumPlanes(-1, 1, -1, 1, 0.5, 10, 0, 0, 0.2, -0.4, 2.0, 100, 100);
    EXPECT_DOUBLE_EQ(e.left, -1 - 0.05);
    EXPECT_DOUBLE_EQ(e.bottom, -1 + 0.1);
}

TEST(JitteredFrustumPlanes, ZeroViewportGivesFinitePlanes) {
    const FrustumPlanes f = JitteredFrustumPlanes(-1, 1, -1, 1, 0.1, 1000, 0.3, 0.4, 0, 0, 1, 0, 0);
    for (double v : {f.left, f.right, f.bottom, f.top}) EXPECT_TRUE(std::isfinite(v));
}

class FrameDriverTest : public RenderFixture {
  protected:
    // One pass drawn as the frame routine draws it, with jitter entry `i`,
    // as pass i of `count`.
    static RgbaImage DrawPass(int i, int count = 1) {
        TheScene().PassIndex = i;
        TheScene().PassCount = count;
        Context().ClearBuffers();
        glLoadIdentity();
        JitteredPerspective(Settings().FieldOfView, double(kFrameWidth) / kFrameHeight, 0.1, 1000.0,
                            JitterTable[i].dx, JitterTable[i].dy, 0.0, 0.0, 1.0);
        Context().ClearBuffers();
        DrawScene(TheScene(), Context());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, Context().TargetFramebuffer());
        return ReadFramePixels(kFrameWidth, kFrameHeight);
    }

    // The per-channel mean of passes with the given jitter entries; with a
    // `gamma` other than 1, of their values raised to it, the mean then
    // raised to its inverse (the mean in linear light for about 2).
    static RgbaImage Average(std::initializer_list<int> entries, double gamma = 1.0) {
        std::vector<double> sum(std::size_t(kFrameWidth) * kFrameHeight * 4, 0.0);
        const int count = static_cast<int>(entries.size());
        for (int i : entries) {
            const RgbaImage pass = DrawPass(i, count);
            for (std::size_t k = 0; k < sum.size(); ++k)
                sum[k] += std::pow(pass.pixels[k] / 255.0, k % 4 == 3 ? 1.0 : gamma);
        }
        RgbaImage mean(kFrameWidth, kFrameHeight);
        for (std::size_t k = 0; k < sum.size(); ++k) {
            const double m = std::pow(sum[k] / count, k % 4 == 3 ? 1.0 : 1.0 / gamma);
            mean.pixels[k] = static_cast<std::uint8_t>(std::lround(255.0 * m));
        }
        return mean;
    }

    static int LargestDifference(const RgbaImage& a, const RgbaImage& b, long* over1 = nullptr) {
        int largest = 0;
        long n = 0;
        for (std::size_t k = 0; k < a.pixels.size(); ++k) {
            if (k % 4 == 3) continue;
            const int d = std::abs(int(a.pixels[k]) - int(b.pixels[k]));
            largest = std::max(largest, d);
            if (d > 1) ++n;
        }
        if (over1) *over1 = n;
        return largest;
    }
};

TEST_F(FrameDriverTest, SinglePassIsShiftedByTheFirstJitterEntry) {
    RenderFrame(1);
    std::array<double, 16> p{};
    glGetDoublev(GL_PROJECTION_MATRIX, p.data());
    const auto [x, y] = CentreInWindow(p, kFrameWidth, kFrameHeight);
    EXPECT_NEAR(x, 160.0 - 0.334818, 1e-4);
    EXPECT_NEAR(y, 120.0 + 0.435331, 1e-4);
    // The frame's own far plane is 1000: (f + n) / (f - n) with n = 0.1.
    EXPECT_NEAR(-p[10], 1000.1 / 999.9, 1e-6);

    // And the picture is the one drawn with that projection.
    const RgbaImage frame = RenderFrame(1);
    EXPECT_EQ(LargestDifference(frame, DrawPass(0)), 0);
}

TEST_F(FrameDriverTest, PassesUseTheFirstTableEntriesWithEqualWeights) {
    Settings().FloorOpacity = 0.5f;
    Settings().ShadowDarkness = 0.3f;

    const RgbaImage two = RenderFrame(2);
    long over1 = 0;
    EXPECT_LE(LargestDifference(two, Average({0, 1}), &over1), 1);
    // Another pair of entries moves the edges elsewhere: the frame used 0 and 1.
    EXPECT_GT(LargestDifference(two, Average({0, 2}), &over1), 8);
    EXPECT_GT(over1, 50);

    const RgbaImage eight = RenderFrame(8);
    EXPECT_LE(LargestDifference(eight, Average({0, 1, 2, 3, 4, 5, 6, 7})), 1);
}

TEST_F(FrameDriverTest, StudioPassesAreAveragedInLinearLight) {
    // Where passes differ (edges, the soft shadow), the studio look's frame
    // is their mean in light, not the mean of their stored values.
    TheScene().TheLook = Look::Studio;
    Settings().FloorOpacity = 0.5f;
    const RgbaImage two = RenderFrame(2);
    long over1 = 0;
    EXPECT_LE(LargestDifference(two, Average({0, 1}, 2.0), &over1), 2);
    EXPECT_LT(over1, 200);
    EXPECT_GT(LargestDifference(two, Average({0, 1})), 8);
    TheScene().TheLook = Look::Classic;
}

TEST_F(FrameDriverTest, StatusTextTellsWhetherAntialiasingIsOn) {
    RenderFrame(1);
    EXPECT_EQ(Port().status, std::vector<std::string>{"Antialiasing off"});
    EXPECT_EQ(Port().firstPanel, "Antialiasing off");

    Port().status.clear();
    RenderFrame(3);
    EXPECT_EQ(Port().status, std::vector<std::string>(3, "Antialiasing on"));

    // Nothing is drawn, and nothing said, while rendering is not enabled.
    Port().status.clear();
    Session().Frames.RenderingEnabled = false;
    RenderFrame(1);
    EXPECT_TRUE(Port().status.empty());
}

TEST_F(FrameDriverTest, CaptureDrawsEightPassesAndRestoresTheFrameState) {
    const RgbaImage panel = RenderFrame(1);
    Port().status.clear();

    const RgbaImage picture = CaptureFrame(Session().Frames, Context(), 200, 100);
    EXPECT_EQ(picture.width, 200);
    EXPECT_EQ(picture.height, 100);
    EXPECT_EQ(Port().status, std::vector<std::string>(8, "Antialiasing on"));
    EXPECT_EQ(Port().firstPanel, "Antialiasing on");

    // The slider, the pass count, the framebuffer and the viewport are as
    // they were, and the next frame is the panel's frame again.
    EXPECT_EQ(Settings().AAPasses, 1);
    EXPECT_EQ(Session().Frames.TrackBar1, 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kFrameWidth);
    EXPECT_EQ(viewport[3], kFrameHeight);
    GLint fbo = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &fbo);
    EXPECT_EQ(static_cast<GLuint>(fbo), Context().TargetFramebuffer());
    EXPECT_EQ(LargestDifference(RenderFrame(), panel), 0);
}

TEST_F(FrameDriverTest, CaptureFailsRatherThanDropTheAntialiasingWhenItsBufferCannotBeMade) {
    const RgbaImage panel = RenderFrame(1);
    Accumulator::LimitSide(150);
    try {
        CaptureFrame(Session().Frames, Context(), 200, 100);
        ADD_FAILURE() << "a one-pass picture was handed on as the eight-pass one";
    } catch (const CaptureError& e) {
        EXPECT_NE(std::string(e.what()).find("antialiasing buffer for a picture of 200 x 100"),
                  std::string::npos)
            << e.what();
    }
    // Within the limit the capture works, and the state is restored either way.
    const RgbaImage small = CaptureFrame(Session().Frames, Context(), 150, 100);
    Accumulator::LimitSide(0);
    EXPECT_EQ(small.width, 150);
    EXPECT_EQ(Settings().AAPasses, 1);
    GLint fbo = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &fbo);
    EXPECT_EQ(static_cast<GLuint>(fbo), Context().TargetFramebuffer());
    EXPECT_EQ(LargestDifference(RenderFrame(), panel), 0);
}

TEST_F(FrameDriverTest, CaptureOfHeightZeroIsEmpty) {
    const RgbaImage picture = CaptureFrame(Session().Frames, Context(), 200, 0);
    EXPECT_TRUE(picture.Empty());
    EXPECT_TRUE(picture.pixels.empty());
    EXPECT_EQ(Settings().AAPasses, 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], kFrameHeight);
}

// The frame-rate check, on a driver of its own with a clock the test moves.
class FrameRateCheckTest : public RenderFixture {
  protected:
    void SetUp() override {
        RenderFixture::SetUp();
        // A small panel: the check counts frames, not pixels.
        Context().Reshape(64, 48);
        driver_ = std::make_unique<FrameDriver>(TheScene(), Context(), port_);
        driver_->TickCount = [this] { return now_; };
        driver_->ReadSetting = [this](const std::string& key) {
            keysRead_.push_back(key);
            return frms_;
        };
        driver_->Message = [](const std::string& key) {
            return key == "aacheck" ? std::string("Switch antialiasing off?") : key;
        };
        driver_->SetTrackBar1 = [this](int position) {
            moves_.push_back(position);
            driver_->TrackBar1Change(position);
        };
    }
    void TearDown() override { driver_.reset(); }

    void Frames(int n, std::uint64_t at) {
        now_ = at;
        for (int i = 0; i < n; ++i) driver_->RenderFrame(true);
    }

    RecordingPort port_;
    std::unique_ptr<FrameDriver> driver_;
    std::uint64_t now_ = 1000;
    std::string frms_ = "100";
    std::vector<std::string> keysRead_;
    std::vector<int> moves_;
};

TEST_F(FrameRateCheckTest, TooFewFramesOfferToSwitchOffAndNoLeavesTheSlider) {
    driver_->TrackBar1Change(2);
    EXPECT_TRUE(driver_->CheckTimerOn);
    Frames(39, 2000);
    Frames(1, 4000);  // exactly 3000 ms: still counting
    EXPECT_TRUE(port_.messages.empty());
    port_.answers.push_back(MessageAnswer::No);
    Frames(1, 4001);
    ASSERT_EQ(port_.messages.size(), 1u);
    const ShownMessage& m = port_.messages[0];
    EXPECT_EQ(m.text, "41 frames. Switch antialiasing off?");
    EXPECT_EQ(m.kind, MessageKind::Warning);
    EXPECT_EQ(m.buttons, MessageButtons::YesNo);
    EXPECT_EQ(keysRead_, std::vector<std::string>{"frms"});

    // No: the slider stays, and no further message until it moves again.
    EXPECT_TRUE(moves_.empty());
    EXPECT_EQ(driver_->TrackBar1, 2);
    EXPECT_EQ(Settings().AAPasses, 2);
    EXPECT_FALSE(driver_->CheckActive);
    Frames(5, 20000);
    EXPECT_EQ(port_.messages.size(), 1u);

    driver_->TrackBar1Change(3);
    port_.answers.push_back(MessageAnswer::No);
    Frames(39, 21000);
    Frames(1, 23001);
    ASSERT_EQ(port_.messages.size(), 2u);
    EXPECT_EQ(port_.messages[1].text, "40 frames. Switch antialiasing off?");
}

TEST_F(FrameRateCheckTest, YesSetsTheSliderToOne) {
    now_ = 500;
    driver_->TrackBar1Change(4);
    Frames(39, 1000);
    port_.answers.push_back(MessageAnswer::Yes);
    Frames(1, 3501);
    ASSERT_EQ(port_.messages.size(), 1u);
    EXPECT_EQ(port_.messages[0].text, "40 frames. Switch antialiasing off?");
    EXPECT_EQ(moves_, std::vector<int>{1});
    EXPECT_EQ(driver_->TrackBar1, 1);
    EXPECT_EQ(Settings().AAPasses, 1);
    EXPECT_FALSE(driver_->CheckActive);
    Frames(50, 9000);
    EXPECT_EQ(port_.messages.size(), 1u);
    EXPECT_EQ(driver_->FrameCount, 0);
}

TEST_F(FrameRateCheckTest, EnoughFramesSayNothing) {
    frms_ = "40";
    driver_->TrackBar1Change(2);
    Frames(39, 2000);
    Frames(1, 4001);
    EXPECT_TRUE(port_.messages.empty());
    EXPECT_FALSE(driver_->CheckActive);
}

TEST_F(FrameRateCheckTest, SliderAtOneEndsTheCheckAtOnce) {
    driver_->TrackBar1Change(1);
    Frames(3, 9000);
    EXPECT_FALSE(driver_->CheckActive);
    EXPECT_EQ(driver_->FrameCount, 0);
    EXPECT_TRUE(port_.messages.empty());
    EXPECT_TRUE(keysRead_.empty());
}

TEST_F(FrameRateCheckTest, NonNumericThresholdIsReportedOnce) {
    for (const char* bad : {"fast", "", "12x"}) {
        port_.messages.clear();
        frms_ = bad;
        now_ = 0;
        driver_->TrackBar1Change(2);
        Frames(10, 2000);
        Frames(1, 5000);
        ASSERT_EQ(port_.messages.size(), 1u) << bad;
        EXPECT_EQ(port_.messages[0].kind, MessageKind::Error);
        EXPECT_NE(port_.messages[0].text.find("'" + std::string(bad) + "'"), std::string::npos);
        Frames(10, 9000);
        EXPECT_EQ(port_.messages.size(), 1u) << bad;
        EXPECT_EQ(driver_->TrackBar1, 2);
    }
}

}  // namespace
}  // namespace tessaly::test
