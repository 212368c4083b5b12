// ImageHistory: the editor's undo and redo. Each step keeps the whole picture
// (QImage shares unchanged pixels, and steps are few), with the name of the
// operation for the menu. It also remembers which step was last saved, so the
// window knows whether closing would lose changes.
#pragma once

#include <QImage>
#include <QString>
#include <cstddef>
#include <vector>

namespace tessaly::editor {

class ImageHistory {
  public:
    // At most this many steps can be undone; older ones are dropped.
    static constexpr std::size_t kMaxUndo = 30;
    // Older steps are also dropped while the steps hold more than this many
    // bytes of pixels, keeping at least one step to undo.
    static constexpr qsizetype kMaxBytes = qsizetype(1) << 30;

    // Starts afresh with a just opened (and so saved) picture.
    void Reset(const QImage& picture);
    // Records the result of operation `name` as the new current picture and
    // forgets anything that could have been redone.
    void Push(const QImage& picture, const QString& name);

    const QImage& Current() const { return steps_.at(index_).picture; }
    bool Empty() const { return steps_.empty(); }
    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ + 1 < steps_.size(); }
    // The operation that Undo or Redo would take back or do again.
    QString UndoName() const { return CanUndo() ? steps_[index_].name : QString(); }
    QString RedoName() const { return CanRedo() ? steps_[index_ + 1].name : QString(); }
    bool Undo();
    bool Redo();

    // The current picture is what the file now holds.
    void MarkSaved() { saved_ = static_cast<long>(index_); }
    bool Modified() const { return !steps_.empty() && saved_ != static_cast<long>(index_); }
    std::size_t UndoDepth() const { return index_; }

  private:
    void DropOldest();

    struct Step {
        QImage picture;
        QString name;
    };
    std::vector<Step> steps_;
    std::size_t index_ = 0;
    // Index of the saved step; -1 once that step has been dropped.
    long saved_ = -1;
};

}  // namespace tessaly::editor
