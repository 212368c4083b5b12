// The frame routine: RenderFrame sets a jittered perspective for the field of
// view and draws the scene once, or AAPasses times with sub-pixel shifts whose
// passes are averaged (antialiasing). It also runs the frame-rate check: after
// the antialiasing slider moves, the frames of the next 3 seconds are counted,
// and when there are too few the user is offered to switch antialiasing off.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "render/Accumulator.h"
#include "render/GLContext.h"
#include "render/Scene.h"

namespace tessaly {

class UserPort;

std::uint64_t SteadyTickCount();

class FrameDriver {
public:
    static constexpr int kTrackBar1Min = 1;
    static constexpr int kTrackBar1Max = 8;

    FrameDriver(Scene& scene, TGLContext& context, UserPort& port);

    void RenderFrame(bool present);

    // Change handler of the antialiasing slider: new pass count, and the
    // frame-rate check armed for the next 3 seconds.
    void TrackBar1Change(int position);

    // What the frame reads from around it. The app layer binds these to its
    // controls, settings and language; the defaults suit headless use.
    bool RenderingEnabled = true;
    int TrackBar1 = kTrackBar1Min;       // slider position
    bool CheckBox2 = true;               // "Draw lightsource"
    bool ShadowCheck = true;             // "Draw shadow"
    bool CheckTimerOn = false;           // the 10 ms frame timer
    std::function<std::string(const std::string&)> ReadSetting;     // settings value by key
    std::function<std::string(const std::string&)> Message;         // language text by key
    std::function<void(int)> SetTrackBar1;                          // moves the slider
    std::function<std::uint64_t()> TickCount = SteadyTickCount;     // milliseconds

    // When set, the frame draws only this part of a larger picture (a tile):
    // the viewport is the tile, the projection the picture's, cut down.
    struct PictureWindow {
        int pictureWidth, pictureHeight;
        int left, bottom;  // the tile's bottom-left pixel in the picture, GL orientation
    };
    std::optional<PictureWindow> Window;

    // Frame-rate check state.
    bool CheckActive = false;
    std::uint64_t CheckStart = 0;
    int FrameCount = 0;

    // The settings whose AAPasses a capture raises to 8 for one frame.
    SceneSettings& AAPassesOwner() { return scene_.Settings; }

    // False when the last multi-pass frame could not get its targets and fell
    // back to a single pass.
    bool LastFrameAccumulated() const { return lastAccumulated_; }

private:
    void FrameRateCheck();
    void SetPassProjection(int fieldOfView, double aspect, int pass, int width, int height);

    Scene& scene_;
    TGLContext& context_;
    UserPort& port_;
    Accumulator accumulator_;
    bool lastAccumulated_ = false;
};

}  // namespace tessaly
