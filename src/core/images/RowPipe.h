// RowPipe: a picture's rows handed from the thread that draws them to a
// thread that encodes them, so that compressing rows already drawn (PNG's
// deflate above all) runs while later rows are being drawn. Rows travel in
// chunks; while a few megabytes of them wait, the drawing side waits too, so
// a slow encoder holds the drawing back rather than memory growing.
//
// PipeRowWriter is the drawing side as a RowWriter; EncodeInBackground puts
// a writer on a thread of its own behind one. An error of the encoding side
// is thrown by the drawing side's next row or by its Finish; a drawing side
// destroyed before Finish (a cancelled or failed picture) abandons the rows.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "core/images/RowWriter.h"

namespace tessaly {

class RowPipe {
  public:
    explicit RowPipe(int width);

    // The drawing side. Put and Close throw the encoding side's error.
    void Put(const std::uint8_t* rgba);
    void Close();    // no rows follow
    void Abandon();  // the picture will not be finished

    // The encoding side: the next chunk of whole rows, waiting for it; false
    // when there are no more (Abandoned tells whether they were all given).
    bool Take(std::vector<std::uint8_t>& chunk);
    bool Abandoned();
    // The encoding side failed: the drawing side stops with `error`.
    void Fail(std::exception_ptr error);

    std::size_t RowBytes() const { return rowBytes_; }

  private:
    void Hand(std::unique_lock<std::mutex>& lock);
    void ThrowError(std::unique_lock<std::mutex>& lock);

    const std::size_t rowBytes_;
    const std::size_t chunkBytes_;
    std::vector<std::uint8_t> chunk_;  // being filled by the drawing side

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> queue_;
    std::size_t waitingBytes_ = 0;
    bool closed_ = false;
    bool abandoned_ = false;
    std::exception_ptr error_;
};

// The drawing side of `pipe` as a row writer: Finish closes the pipe (it
// does not wait for the encoding), the destructor abandons an unfinished one.
std::unique_ptr<RowWriter> MakePipeRowWriter(std::shared_ptr<RowPipe> pipe, bool bottomUp);

// The encoding side's loop: every row of `pipe` into `writer` (not
// finished), until the rows end or are abandoned. The writer's error is
// passed to the pipe and thrown.
void DrainRowPipe(RowPipe& pipe, RowWriter& writer);

// `inner` fed on a thread of its own: its Finish waits for the encoding.
std::unique_ptr<RowWriter> EncodeInBackground(std::unique_ptr<RowWriter> inner, int width);

}  // namespace tessaly
