// ProgressLine: the progress of a long render on standard error (tiles done,
// percentage, time left), rewritten in place. Shown only when standard error
// is a terminal, not silenced, and the render has run for over a second.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace tessaly::cli {

class ProgressLine {
  public:
    explicit ProgressLine(bool quiet);
    // For tests: the stream and whether it counts as a terminal are given.
    ProgressLine(std::ostream& out, bool terminal, bool quiet);
    ~ProgressLine() { Done(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Update(int done, int total);
    // Ends the line when one was shown.
    void Done();

    // The text for a state of the render, e.g. "tile 3 of 12, 25 %, about 9 s left".
    static std::string Text(int done, int total, double secondsSoFar);

  private:
    std::ostream& out_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tessaly::cli
