#include "gui/ThumbnailFit.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace tessaly {

namespace {

class FitPainter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* label = static_cast<QLabel*>(watched);
        QPainter painter(label);
        const QRect inside = label->contentsRect();
        const QPixmap picture = label->pixmap();
        if (!picture.isNull() && !inside.isEmpty()) {
            // The face's proportions (the natural size), as the cover shows
            // the picture; a label without them keeps the picture's own.
            const QSize natural = label->maximumSize();
            const bool hasShape = natural.width() <= 4096 && natural.height() <= 4096;
            const QSize fitted =
                (hasShape ? natural : picture.size()).scaled(inside.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), fitted);
            target.moveCenter(inside.center());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(target, picture);
        }
        if (label->frameShape() != QFrame::NoFrame) {
            painter.setPen(label->palette().color(QPalette::WindowText));
            painter.drawRect(label->rect().adjusted(0, 0, -1, -1));
        }
        return true;
    }
};

}  // namespace

void FitThumbnail(QLabel* label) {
    label->setScaledContents(false);
    label->installEventFilter(new FitPainter(label));
    SetThumbnailSize(label, label->maximumWidth(), label->maximumHeight());
}

void SetThumbnailSize(QLabel* label, int width, int height) {
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return;
    label->setMinimumSize(std::max(1, width / 2), std::max(1, height / 2));
    label->setMaximumSize(width, height);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

}  // namespace tessaly
