#include "editor/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace tessaly::editor {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateSize();
}

void Canvas::SetPicture(const QImage& picture) {
    picture_ = picture;
    selection_ = ClampToPicture(selection_, picture_.size());
    UpdateSize();
    update();
}

void Canvas::SetZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.01, 32.0);
    UpdateSize();
    update();
}

void Canvas::UpdateSize() {
    if (picture_.isNull()) {
        setFixedSize(1, 1);
        return;
    }
    setFixedSize(std::max(1, static_cast<int>(std::ceil(picture_.width() * zoom_))),
                 std::max(1, static_cast<int>(std::ceil(picture_.height() * zoom_))));
}

void Canvas::SetSelection(const QRect& rect) {
    const QRect clamped = ClampToPicture(rect, picture_.size());
    if (clamped == selection_) return;
    selection_ = clamped;
    update();
    emit SelectionChanged(selection_);
}

void Canvas::SetAspect(std::optional<Aspect> aspect) {
    aspect_ = aspect && aspect->Valid() ? aspect : std::nullopt;
    // A rectangle drawn before the lock is replaced by the largest locked one
    // inside it, so what would be cropped always has the locked proportions.
    if (aspect_ && !selection_.isEmpty()) {
        const QRect inner = CentredRectangle(selection_.size(), *aspect_);
        SetSelection(inner.translated(selection_.topLeft()));
    }
}

QPoint Canvas::ToPicture(const QPointF& widgetPos) const {
    const int x = static_cast<int>(std::lround(widgetPos.x() / zoom_));
    const int y = static_cast<int>(std::lround(widgetPos.y() / zoom_));
    return {std::clamp(x, 0, picture_.width()), std::clamp(y, 0, picture_.height())};
}

QRectF Canvas::ToWidget(const QRect& r) const {
    return {r.x() * zoom_, r.y() * zoom_, r.width() * zoom_, r.height() * zoom_};
}

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // A checkerboard shows through transparent parts of the picture.
    const int cell = 8;
    const QRect dirty = event->rect();
    for (int y = dirty.top() / cell * cell; y <= dirty.bottom(); y += cell)
        for (int x = dirty.left() / cell * cell; x <= dirty.right(); x += cell)
            painter.fillRect(x, y, cell, cell,
                             ((x / cell + y / cell) % 2) ? QColor(204, 204, 204) : Qt::white);
    if (picture_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(width(), height())), picture_);
    if (selection_.isEmpty()) return;

    // Dim what the crop would cut away and outline what it keeps.
    const QRectF kept = ToWidget(selection_);
    QPainterPath outside;
    outside.addRect(QRectF(rect()));
    outside.addRect(kept);
    painter.fillPath(outside, QColor(0, 0, 0, 110));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(kept.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(kept.adjusted(0, 0, -1, -1));
    // Rule-of-thirds guides help placing the subject.
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int i = 1; i <= 2; ++i) {
        const double gx = kept.left() + kept.width() * i / 3.0;
        const double gy = kept.top() + kept.height() * i / 3.0;
        painter.drawLine(QPointF(gx, kept.top()), QPointF(gx, kept.bottom()));
        painter.drawLine(QPointF(kept.left(), gy), QPointF(kept.right(), gy));
    }
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || picture_.isNull()) return;
    anchor_ = ToPicture(event->position());
    if (!selection_.isEmpty() && ToWidget(selection_).contains(event->position())) {
        drag_ = Drag::Move;
        moveStart_ = selection_;
        setCursor(Qt::ClosedHandCursor);
    } else {
        drag_ = Drag::Draw;
        SetSelection({});
    }
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = ToPicture(event->position());
    if (drag_ == Drag::Draw) {
        SetSelection(DragRectangle(anchor_, at, picture_.size(), aspect_));
    } else if (drag_ == Drag::Move) {
        QRect moved = moveStart_.translated(at - anchor_);
        moved.moveLeft(std::clamp(moved.left(), 0, picture_.width() - moved.width()));
        moved.moveTop(std::clamp(moved.top(), 0, picture_.height() - moved.height()));
        SetSelection(moved);
    } else {
        const bool over = !selection_.isEmpty() && ToWidget(selection_).contains(event->position());
        setCursor(over ? Qt::OpenHandCursor : Qt::CrossCursor);
    }
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    drag_ = Drag::None;
    setCursor(Qt::CrossCursor);
}

void Canvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit ZoomSteps(steps);
    event->accept();
}

}  // namespace tessaly::editor
