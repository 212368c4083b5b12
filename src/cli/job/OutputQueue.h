// OutputQueue: a batch's picture files written on a thread of their own, one
// after another in the order their jobs were drawn. A job's rows are
// compressed while its later rows are drawn, and its last rows compressed
// and its file committed (written under a temporary name, then renamed)
// while the next job is being drawn. The order keeps two jobs naming the
// same output written in manifest order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/images/RowPipe.h"
#include "core/images/RowWriter.h"

namespace tessaly::cli {

// When a picture's file was in place.
using WrittenAt = std::chrono::steady_clock::time_point;

class OutputQueue {
  public:
    OutputQueue();
    // Writes what is queued, then ends the thread.
    ~OutputQueue();
    OutputQueue(const OutputQueue&) = delete;
    OutputQueue& operator=(const OutputQueue&) = delete;

    struct Picture {
        // Where the drawing writes the rows; its Finish does not wait.
        std::unique_ptr<RowWriter> rows;
        // The moment the file was in place, or the reason it is not; a
        // picture whose rows were abandoned leaves no file.
        std::future<WrittenAt> written;
    };
    // Queues the file `target` for a width x height picture in `format`.
    Picture Open(const std::string& target, const RowFormat& format, int width, int height);

  private:
    struct Task {
        std::string target;
        RowFormat format;
        int width = 0, height = 0;
        std::shared_ptr<RowPipe> pipe;
        std::promise<WrittenAt> written;
    };
    void Work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Task> tasks_;
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace tessaly::cli
