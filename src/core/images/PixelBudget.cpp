#include "core/images/PixelBudget.h"

#include <string>

#include "core/images/PictureReader.h"
#include "core/images/TexturePixels.h"

namespace tessaly {

namespace {

thread_local PixelBudgetScope* innermost = nullptr;

}  // namespace

PixelBudgetScope::PixelBudgetScope(std::int64_t pixels)
    : outer_(innermost), left_(pixels), budget_(pixels) {
    innermost = this;
}

PixelBudgetScope::PixelBudgetScope(Uncounted) : PixelBudgetScope(0) {
    counted_ = false;
}

PixelBudgetScope::~PixelBudgetScope() {
    innermost = outer_;
}

bool PixelBudgetOpen() {
    return innermost && innermost->counted_;
}

void ChargePixels(std::int64_t width, std::int64_t height) {
    // A size no picture may have is left to the decoder, which refuses it
    // with its own message (and the product could overflow).
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) return;
    const std::int64_t pixels = width * height;
    // Every scope out to the first uncounted one must have room, then each
    // is charged.
    for (PixelBudgetScope* s = innermost; s && s->counted_; s = s->outer_)
        if (pixels > s->left_)
            throw PictureError("the pictures of one project may have at most " +
                               std::to_string(s->budget_) + " pixels together, and this one (" +
                               std::to_string(width) + " x " + std::to_string(height) +
                               ") would go over them, with " + std::to_string(s->left_) +
                               " left");
    for (PixelBudgetScope* s = innermost; s && s->counted_; s = s->outer_) s->left_ -= pixels;
}

}  // namespace tessaly
