#include "cli/job/Progress.h"

#include <cstdio>

namespace tessaly::cli {

Progress::Progress(std::ostream& out, std::size_t total, bool enabled)
    : out_(out), total_(total), enabled_(enabled && total > 0) {
    Draw();
}

Progress::~Progress() {
    if (drawn_) out_ << '\n' << std::flush;
}

std::string Progress::Line(std::size_t done, std::size_t total, double seconds, int width) {
    const double share = total ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    const int filled = static_cast<int>(share * width);
    std::string bar = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                      std::string(static_cast<std::size_t>(width - filled), '.') + "]";
    char text[160];
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    if (done > 0 && rate > 0) {
        const long left = static_cast<long>(static_cast<double>(total - done) / rate + 0.5);
        std::snprintf(text, sizeof text, " %zu/%zu  %.1f jobs/s  %ld:%02ld:%02ld left", done, total,
                      rate, left / 3600, left / 60 % 60, left % 60);
    } else {
        std::snprintf(text, sizeof text, " %zu/%zu", done, total);
    }
    return bar + text;
}

void Progress::Draw() {
    if (!enabled_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    out_ << '\r' << Line(done_, total_, seconds) << "\x1b[K" << std::flush;
    drawn_ = true;
}

void Progress::Clear() {
    if (drawn_) out_ << "\r\x1b[K";
}

void Progress::Done(std::size_t jobsDone) {
    done_ = jobsDone;
    Draw();
}

void Progress::Message(const std::string& text) {
    Clear();
    out_ << text << '\n';
    Draw();
}

}  // namespace tessaly::cli
