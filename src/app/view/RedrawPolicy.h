// RedrawPolicy: how often the window redraws its rendering panel. While the
// window is visible and in use the panel is redrawn continuously (every
// 10 ms); some seconds after the last input or change it is redrawn a few
// times a second only, and not at all while the window is minimised, hidden
// or fully covered. The antialiasing slider's frame-rate check counts frames,
// so the full rate holds while it runs.
#pragma once

#include <cstdint>

namespace tessaly {

class RedrawPolicy {
  public:
    static constexpr int kActiveIntervalMs = 10;
    static constexpr int kIdleIntervalMs = 250;
    static constexpr std::uint64_t kIdleAfterMs = 5000;

    // An input or a change of what is shown, at `now` (milliseconds).
    void Activity(std::uint64_t now) { lastActivity_ = now; }

    // The frame timer's interval at `now`; `frameRateCheck` while the
    // antialiasing slider's check counts frames.
    int Interval(std::uint64_t now, bool frameRateCheck) const;

  private:
    std::uint64_t lastActivity_ = 0;
};

}  // namespace tessaly
