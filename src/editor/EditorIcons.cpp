#include "editor/EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace tessaly::editor {

namespace {

const QColor kInk(52, 73, 94);
const QColor kAccent(41, 128, 185);

void Arrowhead(QPainter& p, QPointF tip, double angleDeg) {
    const double a = angleDeg * 3.14159265 / 180.0, spread = 0.5, len = 6.0;
    QPolygonF head;
    head << tip << tip - QPointF(len * std::cos(a - spread), len * std::sin(a - spread))
         << tip - QPointF(len * std::cos(a + spread), len * std::sin(a + spread));
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

// A quarter-and-more circle with an arrow at its end; `clockwise` picks the
// direction it points.
void TurnArrow(QPainter& p, bool clockwise) {
    QPainterPath arc;
    const QRectF box(4, 5, 16, 16);
    const double start = clockwise ? 150 : 30, sweep = clockwise ? -240 : 240;
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, sweep);
    p.drawPath(arc);
    const QPointF end = arc.currentPosition();
    const double endAngle = (start + sweep) * 3.14159265 / 180.0;
    // The tangent of the arc at its end, in screen coordinates (y down).
    const double dir = clockwise ? -1.0 : 1.0;
    const double tx = -std::sin(endAngle) * dir, ty = -std::cos(endAngle) * dir;
    Arrowhead(p, end + QPointF(tx * 2, ty * 2), std::atan2(ty, tx) * 180.0 / 3.14159265);
}

void Magnifier(QPainter& p, const QString& sign) {
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(kAccent, 2));
    if (sign == "+" || sign == "-") p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (sign == "+") p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
    if (sign == "fit") p.drawRect(QRectF(6.5, 6.5, 6, 6));
    if (sign == "1") p.drawLine(QPointF(9.5, 6), QPointF(9.5, 13));
}

QPixmap Draw(const QString& name) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (name == "document-open") {
        p.setBrush(QColor(241, 196, 15));
        p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 19}, {2, 19}}));
    } else if (name == "document-save" || name == "document-save-as") {
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(6, 13, 12, 8));
        if (name == "document-save-as") {
            p.setPen(QPen(QColor(192, 57, 43), 2));
            p.drawLine(QPointF(10, 19), QPointF(16, 14));
        }
    } else if (name == "edit-undo" || name == "edit-redo") {
        const bool undo = name == "edit-undo";
        QPainterPath path;
        path.moveTo(undo ? 19 : 5, 18);
        path.cubicTo(undo ? 19 : 5, 8, undo ? 12 : 12, 8, undo ? 6 : 18, 9);
        p.drawPath(path);
        Arrowhead(p, QPointF(undo ? 4 : 20, 9), undo ? 180 : 0);
    } else if (name == "transform-crop") {
        p.drawPolyline(QPolygonF({{7, 2}, {7, 17}, {22, 17}}));
        p.drawPolyline(QPolygonF({{2, 7}, {17, 7}, {17, 22}}));
    } else if (name == "object-rotate-left" || name == "object-rotate-right") {
        TurnArrow(p, name == "object-rotate-right");
    } else if (name == "object-flip-horizontal" || name == "object-flip-vertical") {
        if (name == "object-flip-vertical") {
            p.translate(12, 12);
            p.rotate(90);
            p.translate(-12, -12);
        }
        p.setPen(QPen(kInk, 1.5, Qt::DashLine));
        p.drawLine(QPointF(12, 2), QPointF(12, 22));
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({{10, 5}, {10, 19}, {2, 19}}));
        p.setBrush(kAccent);
        p.drawPolygon(QPolygonF({{14, 5}, {14, 19}, {22, 19}}));
    } else if (name == "transform-scale") {
        p.drawRect(QRectF(3, 11, 10, 10));
        p.drawLine(QPointF(10, 14), QPointF(20, 4));
        Arrowhead(p, QPointF(21, 3), -45);
    } else if (name == "color-management") {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        QPainterPath half;
        half.moveTo(12, 3);
        half.arcTo(QRectF(3, 3, 18, 18), 90, 180);
        half.closeSubpath();
        p.fillPath(half, kInk);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 2));
        p.drawEllipse(QRectF(3, 3, 18, 18));
    } else if (name == "zoom-in") {
        Magnifier(p, "+");
    } else if (name == "zoom-out") {
        Magnifier(p, "-");
    } else if (name == "zoom-fit-best") {
        Magnifier(p, "fit");
    } else if (name == "zoom-original") {
        Magnifier(p, "1");
    } else {
        p.drawRect(QRectF(4, 4, 16, 16));
    }
    return pixmap;
}

}  // namespace

QIcon EditorIcon(const QString& name) {
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    return QIcon(Draw(name));
}

}  // namespace tessaly::editor
