// UndoHistory: the steps of the user's changes to the cover, for Undo and
// Redo. The window commits after each finished change (a slider let go, a
// mouse drag ended, a picture chosen); a commit that finds the cover as the
// current step left it adds nothing, so a window may commit as often as it
// likes. Undo and Redo restore a step and set Modified by whether that step
// is the one last saved.
#pragma once

#include <cstddef>
#include <vector>

#include "app/history/CoverSnapshot.h"

namespace tessaly {

class MainState;

class UndoHistory {
  public:
    explicit UndoHistory(MainState& state, std::size_t limit = 100);

    // Forgets every step; the current cover becomes the only one, and the
    // saved one when Modified is clear (after opening a project or a new
    // cover).
    void Clear();
    // Adds the current cover as a new step when it differs from the current
    // step (dropping the steps that could have been redone). True when added.
    bool Commit();
    // The current step is what was saved (after Save eCover).
    void MarkSaved();

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ + 1 < steps_.size(); }
    // Restore the previous or next step; false when there is none.
    bool Undo();
    bool Redo();

    std::size_t Steps() const { return steps_.size(); }
    // The current step (the cover as last committed or restored); null
    // before the first Clear.
    const CoverSnapshot* Current() const { return steps_.empty() ? nullptr : &steps_[index_]; }
    std::size_t Index() const { return index_; }
    // True while a step is being restored: the window then makes no commits.
    bool Restoring() const { return restoring_; }

  private:
    void MoveTo(std::size_t index);

    MainState& state_;
    std::size_t limit_;
    std::vector<CoverSnapshot> steps_;
    std::size_t index_ = 0;
    // The step that matches the saved file; npos when none does.
    std::size_t saved_ = 0;
    bool restoring_ = false;
};

}  // namespace tessaly
