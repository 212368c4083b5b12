#include "app/history/UndoHistory.h"

#include "app/MainState.h"

namespace tessaly {

namespace {
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
}

UndoHistory::UndoHistory(MainState& state, std::size_t limit)
    : state_(state), limit_(limit < 2 ? 2 : limit) {}

void UndoHistory::Clear() {
    steps_.clear();
    steps_.push_back(TakeSnapshot(state_));
    index_ = 0;
    saved_ = state_.Cover.Modified ? kNone : 0;
}

bool UndoHistory::Commit() {
    if (restoring_) return false;
    if (steps_.empty()) {
        Clear();
        return false;
    }
    CoverSnapshot now = TakeSnapshot(state_, &steps_[index_]);
    if (now.SameAs(steps_[index_])) return false;
    steps_.resize(index_ + 1);
    if (saved_ != kNone && saved_ > index_) saved_ = kNone;
    steps_.push_back(std::move(now));
    ++index_;
    if (steps_.size() > limit_) {
        steps_.erase(steps_.begin());
        --index_;
        saved_ = saved_ == kNone || saved_ == 0 ? kNone : saved_ - 1;
    }
    return true;
}

void UndoHistory::MarkSaved() {
    Commit();
    saved_ = index_;
}

bool UndoHistory::Undo() {
    // A change not committed yet is a step of its own, undone first.
    Commit();
    if (!CanUndo()) return false;
    MoveTo(index_ - 1);
    return true;
}

bool UndoHistory::Redo() {
    if (!CanRedo()) return false;
    MoveTo(index_ + 1);
    return true;
}

void UndoHistory::MoveTo(std::size_t index) {
    restoring_ = true;
    RestoreSnapshot(state_, steps_[index]);
    restoring_ = false;
    index_ = index;
    // Writing a picture back gives its file a new time: the step takes the
    // files as they now are, so the next commit does not see a change.
    steps_[index_] = TakeSnapshot(state_, &steps_[index_]);
    state_.Cover.Modified = index_ != saved_;
}

}  // namespace tessaly
