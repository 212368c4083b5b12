// The first frame a fresh context draws must be the frame every later one
// is: a headless capture is often the only frame drawn, so a reflection that
// came out unfaded on the first frame would spoil every command-line picture.
#include <memory>

#include <gtest/gtest.h>

#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "render/Capture.h"
#include "render/EglContext.h"
#include "support/ImageCompare.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

TEST(FirstFrame, EqualsTheFramesAfterIt) {
    RecordingPort port;
    MainState state(ProgramDir().string() + "/", port, std::make_unique<EglContext>());
    SetupOptions options;
    options.width = 160;
    options.height = 120;
    ASSERT_TRUE(state.Session.SetupRendering(options));
    state.SetRenderingEnabled(true);
    SelectCover(state, 1);
    state.Controls.ReflexionSB.SetPosition(60);  // a reflection that fades
    state.Controls.liftSB.SetPosition(10);

    const RgbaImage first = CaptureFrame(state.Session.Frames, *state.Session.Context, 160, 120);
    const RgbaImage second = CaptureFrame(state.Session.Frames, *state.Session.Context, 160, 120);
    EXPECT_EQ(first.pixels, second.pixels);
}

}  // namespace
}  // namespace tessaly::test
