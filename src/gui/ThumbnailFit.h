// ThumbnailFit: a thumbnail label that shows its whole picture, scaled to fit
// the space the layout gives it, in the proportions of its natural size (the
// face's, as the cover shows the picture). The label may shrink to half its
// natural size (a small window); it never grows beyond it.
#pragma once

class QLabel;

namespace tessaly {

// Makes `label` paint its pixmap scaled to fit, centred, inside its frame.
void FitThumbnail(QLabel* label);
// The natural size of a fitted thumbnail: at most width x height, at least
// half of it.
void SetThumbnailSize(QLabel* label, int width, int height);

}  // namespace tessaly
