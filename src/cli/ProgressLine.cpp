#include "cli/ProgressLine.h"

#include <unistd.h>

#include <cmath>
#include <iostream>

namespace tessaly::cli {

ProgressLine::ProgressLine(bool quiet)
    : ProgressLine(std::cerr, isatty(STDERR_FILENO) == 1, quiet) {}

ProgressLine::ProgressLine(std::ostream& out, bool terminal, bool quiet)
    : out_(out), enabled_(terminal && !quiet), start_(std::chrono::steady_clock::now()) {}

std::string ProgressLine::Text(int done, int total, double secondsSoFar) {
    const int percent = total > 0 ? done * 100 / total : 100;
    std::string text = "tile " + std::to_string(done) + " of " + std::to_string(total) + ", " +
                       std::to_string(percent) + " %";
    if (done > 0 && done < total) {
        const double left = secondsSoFar / done * (total - done);
        text += ", about " + std::to_string(static_cast<long>(std::ceil(left))) + " s left";
    }
    return text;
}

void ProgressLine::Update(int done, int total) {
    if (!enabled_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (seconds < 1.0) return;
    out_ << "\rrendering: " << Text(done, total, seconds) << "\033[K" << std::flush;
    shown_ = true;
}

void ProgressLine::Done() {
    if (shown_) out_ << '\n' << std::flush;
    shown_ = false;
}

}  // namespace tessaly::cli
