// Canvas: the picture at the window's zoom, with the crop rectangle the user
// drags on it. A drag outside the rectangle draws a new one (kept to the
// locked proportions when there are any); a drag inside moves it. The
// rectangle is kept in picture pixels, so zooming does not change it.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "editor/ImageOps.h"

namespace tessaly::editor {

class Canvas : public QWidget {
    Q_OBJECT
  public:
    explicit Canvas(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    // Widget pixels per picture pixel.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }

    // The crop rectangle in picture pixels; empty when there is none.
    QRect Selection() const { return selection_; }
    void SetSelection(const QRect& rect);
    void ClearSelection() { SetSelection({}); }

    // Proportions new rectangles keep; none for free dragging.
    void SetAspect(std::optional<Aspect> aspect);
    std::optional<Aspect> LockedAspect() const { return aspect_; }

    // Picture pixel edge nearest to a widget position, inside the picture.
    QPoint ToPicture(const QPointF& widgetPos) const;
    QRectF ToWidget(const QRect& pictureRect) const;

  signals:
    void SelectionChanged(const QRect& rect);
    // Ctrl + wheel: positive steps zoom in.
    void ZoomSteps(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void UpdateSize();

    QImage picture_;
    double zoom_ = 1.0;
    QRect selection_;
    std::optional<Aspect> aspect_;
    enum class Drag { None, Draw, Move } drag_ = Drag::None;
    QPoint anchor_;    // picture point the drag started at
    QRect moveStart_;  // the rectangle when a move began
};

}  // namespace tessaly::editor
