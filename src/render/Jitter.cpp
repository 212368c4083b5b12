#include "render/Jitter.h"

#include <cmath>

#include "render/GL.h"

namespace tessaly {

FrustumPlanes JitteredFrustumPlanes(double left, double right, double bottom, double top,
                                    double nearPlane, double farPlane, double pixdx, double pixdy,
                                    double eyedx, double eyedy, double focus, int viewportWidth,
                                    int viewportHeight) {
    // A viewport side of 0 would divide by zero; such a frame shows nothing,
    // so the shift is simply left out.
    const double vw = viewportWidth > 0 ? viewportWidth : 1.0;
    const double vh = viewportHeight > 0 ? viewportHeight : 1.0;
    const double dx = -(pixdx * (right - left) / vw + eyedx * nearPlane / focus);
    const double dy = -(pixdy * (top - bottom) / vh + eyedy * nearPlane / focus);
    return {left + dx, right + dx, bottom + dy, top + dy, nearPlane, farPlane};
}

FrustumPlanes TileFrustumPlanes(double fovy, double nearPlane, double farPlane, double pixdx,
                                double pixdy, int pictureWidth, int pictureHeight, int tileLeft,
                                int tileBottom, int tileWidth, int tileHeight) {
    const double w = pictureWidth > 0 ? pictureWidth : 1.0;
    const double h = pictureHeight > 0 ? pictureHeight : 1.0;
    const double halfAngle = fovy * 3.14159265358979323846 / 180.0 / 2.0;
    const double top = nearPlane / (std::cos(halfAngle) / std::sin(halfAngle));
    const double right = top * (w / h);
    // Width and height of one picture pixel on the near plane.
    const double px = 2.0 * right / w;
    const double py = 2.0 * top / h;
    const double left = -right + (tileLeft - pixdx) * px;
    const double bottom = -top + (tileBottom - pixdy) * py;
    return {left, left + tileWidth * px, bottom, bottom + tileHeight * py, nearPlane, farPlane};
}

void JitteredFrustum(double left, double right, double bottom, double top, double nearPlane,
                     double farPlane, double pixdx, double pixdy, double eyedx, double eyedy,
                     double focus) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const FrustumPlanes p = JitteredFrustumPlanes(left, right, bottom, top, nearPlane, farPlane,
                                                  pixdx, pixdy, eyedx, eyedy, focus, viewport[2],
                                                  viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(-eyedx), static_cast<float>(-eyedy), 0.0f);
}

void JitteredPerspective(double fovy, double aspect, double nearPlane, double farPlane,
                         double pixdx, double pixdy, double eyedx, double eyedy, double focus) {
    const double halfAngle = fovy * 3.14159265358979323846 / 180.0 / 2.0;
    const double top = nearPlane / (std::cos(halfAngle) / std::sin(halfAngle));
    const double bottom = -top;
    const double right = top * aspect;
    const double left = -right;
    JitteredFrustum(left, right, bottom, top, nearPlane, farPlane, pixdx, pixdy, eyedx, eyedy,
                    focus);
}

}  // namespace tessaly
