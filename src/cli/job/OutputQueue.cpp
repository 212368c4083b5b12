#include "cli/job/OutputQueue.h"

#include "core/io/FileIO.h"

namespace tessaly::cli {

OutputQueue::OutputQueue() : thread_([this] { Work(); }) {}

OutputQueue::~OutputQueue() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

OutputQueue::Picture OutputQueue::Open(const std::string& target, const RowFormat& format,
                                       int width, int height) {
    Task task{target, format, width, height, std::make_shared<RowPipe>(width), {}};
    Picture picture{MakePipeRowWriter(task.pipe, RowsBottomUp(format)), task.written.get_future()};
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    changed_.notify_all();
    return picture;
}

void OutputQueue::Work() {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return ending_ || !tasks_.empty(); });
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        try {
            WriteFileAtomically(task.target, [&](std::ostream& out) {
                std::unique_ptr<RowWriter> writer;
                try {
                    writer = MakeRowWriter(task.format, task.width, task.height, out);
                } catch (...) {
                    task.pipe->Fail(std::current_exception());
                    throw;
                }
                DrainRowPipe(*task.pipe, *writer);
                // Abandoned rows throw, so that no file is left.
                if (task.pipe->Abandoned()) throw RowWriteError("The picture was not finished.");
                writer->Finish();
            });
            task.written.set_value(std::chrono::steady_clock::now());
        } catch (...) {
            task.pipe->Fail(std::current_exception());
            task.written.set_exception(std::current_exception());
        }
    }
}

}  // namespace tessaly::cli
