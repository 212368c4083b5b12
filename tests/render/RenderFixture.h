// RenderFixture: one headless rendering session per test suite, at 320x240,
// over a program folder of the test's own: the standard box model from the
// build and test-made pictures (a floor texture in Data/, three face
// pictures with distinct colours and marks), so the pictures depend on the
// renderer and not on the shipped placeholder art. Each test starts from the
// same view: camera lifted 15 degrees, cover turned to show front and side,
// light to the right, above and in front, a light blue background.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "app/RenderSession.h"
#include "core/images/RgbaImage.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {

inline constexpr int kFrameWidth = 320;
inline constexpr int kFrameHeight = 240;

class RenderFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static RenderSession& Session() { return *session_; }
    static RecordingPort& Port() { return *port_; }
    static Scene& TheScene() { return session_->TheScene; }
    static SceneSettings& Settings() { return session_->TheScene.Settings; }
    static TGLContext& Context() { return *session_->Context; }

    // One frame at the current pass count through RenderFrame (not
    // presented), read back from the session's framebuffer.
    static RgbaImage RenderFrame();
    // RenderFrame at `passes` (slider and pass count both set).
    static RgbaImage RenderFrame(int passes);
    // The capture at the frame size: always 8 passes.
    static RgbaImage Capture();

    static void PlaceLight(float x, float y, float z);

  private:
    static std::unique_ptr<TempDir> folder_;
    static std::unique_ptr<RecordingPort> port_;
    static std::unique_ptr<RenderSession> session_;
    static SceneSettings initial_;
};

// Picture files of the fixture, also used by the texture tests.
RgbaImage FrontPicture();
RgbaImage SidePicture();
RgbaImage TopPicture();
RgbaImage FloorPicture();

// Pixel (x, y) of a picture, top row 0.
struct Rgb8 {
    int r, g, b;
};
Rgb8 PixelAt(const RgbaImage& image, int x, int y);

}  // namespace tessaly::test
