// PixelBudget: a limit on the pixels decoded for one operation, across all
// its pictures. One picture is already limited in size; a project holds up
// to sixteen, and each within the limits may still take seconds to decode.
// While a PixelBudgetScope is open on a thread, every picture the gate
// decodes on that thread counts its declared size (before any pixels are
// allocated) against it and against every scope around it, and a picture
// that would go over any of them is refused.
#pragma once

#include <cstdint>

namespace tessaly {

// The budget of opening one project: room for sixteen pictures of 32 million
// pixels (print-size artwork), or two at the largest size a picture may have.
inline constexpr std::int64_t kProjectPixelBudget = 512LL * 1024 * 1024;

class PixelBudgetScope {
  public:
    explicit PixelBudgetScope(std::int64_t pixels = kProjectPixelBudget);
    ~PixelBudgetScope();
    PixelBudgetScope(const PixelBudgetScope&) = delete;
    PixelBudgetScope& operator=(const PixelBudgetScope&) = delete;

    // A scope inside which nothing is counted, for a picture counted
    // elsewhere (the preview of a picture that is also a texture).
    struct Uncounted {};
    explicit PixelBudgetScope(Uncounted);

    std::int64_t Left() const { return left_; }

  private:
    PixelBudgetScope* outer_;
    std::int64_t left_;
    std::int64_t budget_;
    bool counted_ = true;
    friend void ChargePixels(std::int64_t, std::int64_t);
    friend bool PixelBudgetOpen();
};

// True while a counting scope is open on this thread.
bool PixelBudgetOpen();

// Counts a picture of width x height against the open scopes; throws
// PictureError when it would go over one of them. Decoders call it with the
// size the file declares, before decoding.
void ChargePixels(std::int64_t width, std::int64_t height);

}  // namespace tessaly
