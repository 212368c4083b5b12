#include "render/Frame.h"

#include <charconv>
#include <chrono>

#include "core/ui/UserPort.h"
#include "render/Jitter.h"

namespace tessaly {

std::uint64_t SteadyTickCount() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

FrameDriver::FrameDriver(Scene& scene, TGLContext& context, UserPort& port)
    : scene_(scene), context_(context), port_(port) {}

void FrameDriver::RenderFrame(bool present) {
    if (!RenderingEnabled) return;
    SceneSettings& s = scene_.Settings;
    s.DrawLightSource = CheckBox2;
    s.DrawShadow = ShadowCheck;

    GLint previousFbo = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo);
    const GLuint output = static_cast<GLuint>(previousFbo);

    context_.ClearBuffers();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int W = viewport[2];
    const int H = viewport[3];
    // A panel of height 0 gets aspect 1, as the default projection does.
    const double aspect = (W > 0 && H > 0) ? static_cast<double>(W) / H : 1.0;
    glLoadIdentity();

    const int passes = s.AAPasses;
    lastAccumulated_ = false;
    bool accumulate = passes != kTrackBar1Min && accumulator_.Prepare(W, H);
    if (accumulate) accumulator_.Clear();

    if (!accumulate) {
        port_.SetStatusText(0, passes == kTrackBar1Min ? "Antialiasing off" : "Antialiasing on");
        glBindFramebuffer(GL_FRAMEBUFFER, output);
        SetPassProjection(s.FieldOfView, aspect, 0, W, H);
        context_.ClearBuffers();
        scene_.PassIndex = 0;
        scene_.PassCount = 1;
        DrawScene(scene_, context_);
    } else {
        const int used = passes < 1 ? 1 : (passes > 8 ? 8 : passes);
        const float weight = 1.0f / static_cast<float>(used);
        for (int i = 0; i < used; ++i) {
            port_.SetStatusText(0, "Antialiasing on");
            accumulator_.BeginPass();
            context_.ClearBuffers();
            SetPassProjection(s.FieldOfView, aspect, i, W, H);
            scene_.PassIndex = i;
            scene_.PassCount = used;
            DrawScene(scene_, context_);
            accumulator_.Accumulate(weight);
        }
        // The studio look lights in linear light; its passes are averaged so.
        accumulator_.SetLinearLight(scene_.TheLook == Look::Studio);
        accumulator_.Return(output);
        lastAccumulated_ = true;
    }

    if (present) {
        glFlush();
        context_.Present();
    }
    FrameRateCheck();
}

void FrameDriver::SetPassProjection(int fieldOfView, double aspect, int pass, int width,
                                    int height) {
    const JitterPoint jitter = JitterTable[static_cast<std::size_t>(pass)];
    if (!Window) {
        JitteredPerspective(fieldOfView, aspect, 0.1, 1000.0, jitter.dx, jitter.dy, 0.0, 0.0, 1.0);
        return;
    }
    const FrustumPlanes p =
        TileFrustumPlanes(fieldOfView, 0.1, 1000.0, jitter.dx, jitter.dy, Window->pictureWidth,
                          Window->pictureHeight, Window->left, Window->bottom, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void FrameDriver::TrackBar1Change(int position) {
    TrackBar1 = position;
    scene_.Settings.AAPasses = position;
    CheckStart = TickCount();
    CheckActive = true;
    FrameCount = 0;
    CheckTimerOn = true;
}

void FrameDriver::FrameRateCheck() {
    if (TrackBar1 == kTrackBar1Min) CheckActive = false;
    if (!CheckActive) return;
    ++FrameCount;
    const auto elapsed =
        static_cast<std::int64_t>(TickCount()) - static_cast<std::int64_t>(CheckStart);
    if (elapsed <= 3000) return;
    CheckActive = false;

    const std::string value = ReadSetting ? ReadSetting("frms") : std::string("-");
    int threshold = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), threshold);
    if (ec != std::errc() || end != value.data() + value.size()) {
        port_.ShowMessage(MessageKind::Error, "'" + value + "' is not a valid integer value", "",
                          MessageButtons::Ok);
        return;
    }
    if (FrameCount >= threshold) return;

    const std::string text = std::to_string(FrameCount) + " frames. " +
                             (Message ? Message("aacheck") : std::string("aacheck"));
    if (port_.ShowMessage(MessageKind::Warning, text, "", MessageButtons::YesNo, "aacheck") ==
        MessageAnswer::Yes) {
        if (SetTrackBar1)
            SetTrackBar1(kTrackBar1Min);
        else if (TrackBar1 != kTrackBar1Min)
            TrackBar1Change(kTrackBar1Min);
        CheckActive = false;
    }
}

}  // namespace tessaly
