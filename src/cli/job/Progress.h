// Progress: a one-line progress bar on standard error while a batch runs on
// a terminal: jobs done of all, the rate, and the time left. Messages printed
// meanwhile go through Message so they do not mix with the bar.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace tessaly::cli {

class Progress {
  public:
    Progress(std::ostream& out, std::size_t total, bool enabled);
    ~Progress();
    void Done(std::size_t jobsDone);
    void Message(const std::string& text);
    // The bar as it would be drawn (for the tests).
    static std::string Line(std::size_t done, std::size_t total, double seconds, int width = 24);

  private:
    void Draw();
    void Clear();

    std::ostream& out_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool enabled_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace tessaly::cli
