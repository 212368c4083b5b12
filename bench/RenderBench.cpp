// Rendering benchmarks at 1920x1080 on the headless context: a full frame of
// the standard box with 1 and 8 antialiasing passes, the same at the live
// view's 800x600, an 8-pass frame of every cover type, reading a frame back,
// and encoding a captured picture in each save format (into memory).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "app/ProgramFolder.h"
#include "app/MainState.h"
#include "app/cover/CoverAssembly.h"
#include "core/model/CoverTypes.h"
#include "core/images/PictureDepth.h"
#include "render/Capture.h"
#include "render/EglContext.h"

namespace {

using namespace tessaly;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// One state for the whole run, with the shipped catalogue, set up like the
// panel shows the standard box: shipped placeholders, camera lifted, cover
// turned, some reflection.
MainState* MakeState() {
    static QuietPort port(false);
    static std::unique_ptr<MainState> state = [] {
        auto s = std::make_unique<MainState>(ProgramFolder(), port, std::make_unique<EglContext>());
        SetupOptions options;
        options.width = kWidth;
        options.height = kHeight;
        if (!s->Session.SetupRendering(options) || s->Session.Catalogue.Count < 1)
            return std::unique_ptr<MainState>();
        s->SetRenderingEnabled(true);
        SelectCover(*s, s->Session.Catalogue.FindEntry("stdbox"));
        SceneSettings& settings = s->Session.TheScene.Settings;
        settings.CameraLift = 15.0f;
        settings.CoverRotate = 330.0f;
        settings.FloorOpacity = 0.5f;
        s->Session.Frames.RenderFrame(false);
        return s;
    }();
    return state.get();
}

RenderSession* MakeSession() {
    MainState* state = MakeState();
    return state ? &state->Session : nullptr;
}

RenderSession& Session() {
    return *MakeSession();
}

bool Ready(benchmark::State& state) {
    if (MakeSession()) return true;
    state.SkipWithError("no OpenGL context");
    return false;
}

void BM_Frame(benchmark::State& state) {
    if (!Ready(state)) return;
    RenderSession& s = Session();
    const int passes = static_cast<int>(state.range(0));
    s.Frames.TrackBar1 = passes;
    s.TheScene.Settings.AAPasses = passes;
    for (auto _ : state) {
        s.Frames.RenderFrame(false);
        glFinish();  // the frame is done only when the driver has drawn it
    }
    state.SetLabel(std::to_string(passes) + (passes == 1 ? " pass" : " passes"));
}
BENCHMARK(BM_Frame)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window's live view: an 800x600 panel with 1 and 8 passes; frames a
// second are 1000 over the time shown.
void BM_LiveView(benchmark::State& state) {
    if (!Ready(state)) return;
    RenderSession& s = Session();
    const int passes = static_cast<int>(state.range(0));
    s.Frames.TrackBar1 = passes;
    s.TheScene.Settings.AAPasses = passes;
    s.Context->Reshape(800, 600);
    for (auto _ : state) {
        s.Frames.RenderFrame(false);
        glFinish();
    }
    s.Context->Reshape(kWidth, kHeight);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    state.SetLabel("800x600, " + std::to_string(passes) + (passes == 1 ? " pass" : " passes"));
}
BENCHMARK(BM_LiveView)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same 8-pass frame in each look (argument 0 classic, 1 studio): the
// studio look is meant to cost at most 1.5 times the classic one.
void BM_LookFrame(benchmark::State& state) {
    if (!Ready(state)) return;
    RenderSession& s = Session();
    s.Frames.TrackBar1 = 8;
    s.TheScene.Settings.AAPasses = 8;
    const Look look = state.range(0) != 0 ? Look::Studio : Look::Classic;
    s.TheScene.TheLook = look;
    for (auto _ : state) {
        s.Frames.RenderFrame(false);
        glFinish();
    }
    s.TheScene.TheLook = Look::Classic;
    state.SetLabel(std::string(LookName(look)) + ", 8 passes");
}
BENCHMARK(BM_LookFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// An 8-pass frame of each cover type (argument: index into the type table),
// the cases half open.
void BM_CoverFrame(benchmark::State& state) {
    if (!Ready(state)) return;
    MainState& s = *MakeState();
    const CoverType& type = kCoverTypes.at(static_cast<std::size_t>(state.range(0)));
    SelectCover(s, s.Session.Catalogue.FindEntry(type.Id));
    if (type.Options == CoverOptions::CaseAngle) s.Controls.caseAngleSB.SetPosition(70);
    s.Session.Frames.TrackBar1 = 8;
    s.Session.TheScene.Settings.AAPasses = 8;
    for (auto _ : state) {
        s.Session.Frames.RenderFrame(false);
        glFinish();
    }
    state.SetLabel(std::string(type.Id));
    s.Controls.caseAngleSB.SetPosition(0);
    SelectCover(s, s.Session.Catalogue.FindEntry("stdbox"));
}
BENCHMARK(BM_CoverFrame)
    ->DenseRange(0, static_cast<int>(kCoverTypes.size()) - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReadBack(benchmark::State& state) {
    if (!Ready(state)) return;
    RenderSession& s = Session();
    s.Frames.TrackBar1 = 1;
    s.TheScene.Settings.AAPasses = 1;
    s.Frames.RenderFrame(false);
    glFinish();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.Context->TargetFramebuffer());
    for (auto _ : state) {
        RgbaImage picture = ReadFramePixels(kWidth, kHeight);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(BM_ReadBack)->Unit(benchmark::kMillisecond)->UseRealTime();

const RgbaImage& CapturedPicture() {
    static const RgbaImage picture = [] {
        RenderSession& s = Session();
        s.Frames.TrackBar1 = 1;
        s.TheScene.Settings.AAPasses = 1;
        return CaptureFrame(s.Frames, *s.Context, kWidth, kHeight);
    }();
    return picture;
}

void BM_Encode(benchmark::State& state, PictureFileType type, int bits) {
    if (!Ready(state)) return;
    const RgbaImage& picture = CapturedPicture();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        WritePicture(picture, type, bits, out);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_Encode, bmp16, PictureFileType::Bmp, 16)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, bmp24, PictureFileType::Bmp, 24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, bmp32, PictureFileType::Bmp, 32)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, jpeg_q80, PictureFileType::Jpeg, 24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, png, PictureFileType::Png, 24)->Unit(benchmark::kMillisecond);

}  // namespace
