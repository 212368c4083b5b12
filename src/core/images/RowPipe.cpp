#include "core/images/RowPipe.h"

#include <algorithm>
#include <thread>

namespace tessaly {

namespace {

// Rows are handed over in chunks of about this many bytes...
constexpr std::size_t kChunkBytes = 256u << 10;
// ...and the drawing waits while this many bytes are not yet taken.
constexpr std::size_t kMaxWaitingBytes = 2u << 20;

}  // namespace

RowPipe::RowPipe(int width)
    : rowBytes_(static_cast<std::size_t>(width) * 4),
      chunkBytes_(std::max<std::size_t>(1, kChunkBytes / rowBytes_) * rowBytes_) {}

void RowPipe::ThrowError(std::unique_lock<std::mutex>& lock) {
    const std::exception_ptr error = error_;
    lock.unlock();
    std::rethrow_exception(error);
}

void RowPipe::Hand(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return error_ || waitingBytes_ < kMaxWaitingBytes; });
    if (error_) ThrowError(lock);
    if (!chunk_.empty()) {
        waitingBytes_ += chunk_.size();
        queue_.push_back(std::move(chunk_));
        chunk_ = {};
    }
}

void RowPipe::Put(const std::uint8_t* rgba) {
    if (chunk_.empty()) chunk_.reserve(chunkBytes_);
    chunk_.insert(chunk_.end(), rgba, rgba + rowBytes_);
    if (chunk_.size() < chunkBytes_) return;
    std::unique_lock lock(mutex_);
    Hand(lock);
    lock.unlock();
    changed_.notify_all();
}

void RowPipe::Close() {
    std::unique_lock lock(mutex_);
    Hand(lock);
    closed_ = true;
    lock.unlock();
    changed_.notify_all();
}

void RowPipe::Abandon() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
        queue_.clear();
        waitingBytes_ = 0;
    }
    changed_.notify_all();
}

bool RowPipe::Take(std::vector<std::uint8_t>& chunk) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return abandoned_ || closed_ || !queue_.empty(); });
    if (abandoned_ || queue_.empty()) return false;
    chunk = std::move(queue_.front());
    queue_.pop_front();
    waitingBytes_ -= chunk.size();
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool RowPipe::Abandoned() {
    std::lock_guard lock(mutex_);
    return abandoned_;
}

void RowPipe::Fail(std::exception_ptr error) {
    {
        std::lock_guard lock(mutex_);
        error_ = std::move(error);
    }
    changed_.notify_all();
}

namespace {

class PipeRowWriter : public RowWriter {
  public:
    PipeRowWriter(std::shared_ptr<RowPipe> pipe, bool bottomUp)
        : pipe_(std::move(pipe)), bottomUp_(bottomUp) {}
    ~PipeRowWriter() override {
        if (!closed_) pipe_->Abandon();
    }
    bool BottomUp() const override { return bottomUp_; }
    void WriteRow(const std::uint8_t* rgba) override { pipe_->Put(rgba); }
    void Finish() override {
        closed_ = true;
        pipe_->Close();
    }

  private:
    std::shared_ptr<RowPipe> pipe_;
    bool bottomUp_;
    bool closed_ = false;
};

// Feeds every row of `pipe` to `writer`; the writer's error goes to the pipe
// (and is thrown on to the caller).
void Drain(RowPipe& pipe, RowWriter& writer) {
    try {
        std::vector<std::uint8_t> chunk;
        while (pipe.Take(chunk))
            for (std::size_t at = 0; at < chunk.size(); at += pipe.RowBytes())
                writer.WriteRow(chunk.data() + at);
    } catch (...) {
        pipe.Fail(std::current_exception());
        throw;
    }
}

class BackgroundRowWriter : public RowWriter {
  public:
    BackgroundRowWriter(std::unique_ptr<RowWriter> inner, int width)
        : inner_(std::move(inner)),
          pipe_(std::make_shared<RowPipe>(width)),
          rows_(pipe_, inner_->BottomUp()) {
        thread_ = std::thread([this] {
            try {
                Drain(*pipe_, *inner_);
            } catch (...) {
                error_ = std::current_exception();
            }
        });
    }
    ~BackgroundRowWriter() override {
        if (thread_.joinable()) {
            pipe_->Abandon();
            thread_.join();
        }
    }
    bool BottomUp() const override { return rows_.BottomUp(); }
    void WriteRow(const std::uint8_t* rgba) override { rows_.WriteRow(rgba); }
    void Finish() override {
        try {
            rows_.Finish();
        } catch (...) {
            // The encoder's error, which the thread also keeps.
        }
        thread_.join();
        if (error_) std::rethrow_exception(error_);
        inner_->Finish();
    }

  private:
    std::unique_ptr<RowWriter> inner_;
    std::shared_ptr<RowPipe> pipe_;
    PipeRowWriter rows_;
    std::exception_ptr error_;  // set by the thread, read after it ends
    std::thread thread_;
};

}  // namespace

std::unique_ptr<RowWriter> MakePipeRowWriter(std::shared_ptr<RowPipe> pipe, bool bottomUp) {
    return std::make_unique<PipeRowWriter>(std::move(pipe), bottomUp);
}

void DrainRowPipe(RowPipe& pipe, RowWriter& writer) {
    Drain(pipe, writer);
}

std::unique_ptr<RowWriter> EncodeInBackground(std::unique_ptr<RowWriter> inner, int width) {
    return std::make_unique<BackgroundRowWriter>(std::move(inner), width);
}

}  // namespace tessaly
