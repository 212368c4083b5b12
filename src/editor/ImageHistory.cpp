#include "editor/ImageHistory.h"

namespace tessaly::editor {

void ImageHistory::Reset(const QImage& picture) {
    steps_.clear();
    steps_.push_back({picture, QString()});
    index_ = 0;
    saved_ = 0;
}

void ImageHistory::Push(const QImage& picture, const QString& name) {
    if (steps_.empty()) {
        Reset(picture);
        saved_ = -1;
        return;
    }
    steps_.resize(index_ + 1);
    // A saved step that was undone past and is now cut off can never come back.
    if (saved_ > static_cast<long>(index_)) saved_ = -1;
    steps_.push_back({picture, name});
    ++index_;
    if (steps_.size() > kMaxUndo + 1) DropOldest();
    qsizetype bytes = 0;
    for (const Step& step : steps_) bytes += step.picture.sizeInBytes();
    while (bytes > kMaxBytes && steps_.size() > 2) {
        bytes -= steps_.front().picture.sizeInBytes();
        DropOldest();
    }
}

void ImageHistory::DropOldest() {
    steps_.erase(steps_.begin());
    --index_;
    saved_ = saved_ > 0 ? saved_ - 1 : -1;
}

bool ImageHistory::Undo() {
    if (!CanUndo()) return false;
    --index_;
    return true;
}

bool ImageHistory::Redo() {
    if (!CanRedo()) return false;
    ++index_;
    return true;
}

}  // namespace tessaly::editor
