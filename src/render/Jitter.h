// The jittered projection behind antialiasing: the published 8-sample jitter
// table and a perspective frustum shifted by a sub-pixel amount.
#pragma once

#include <array>

namespace tessaly {

struct JitterPoint {
    float dx;
    float dy;
};

// Read in order: with N passes the first N entries are used.
inline constexpr std::array<JitterPoint, 8> JitterTable{{
    {-0.334818f, 0.435331f},
    {0.286438f, -0.393495f},
    {0.459462f, 0.141540f},
    {-0.414498f, -0.192829f},
    {-0.183790f, 0.082102f},
    {-0.079263f, -0.317383f},
    {0.102254f, 0.299133f},
    {0.164216f, -0.054399f},
}};

// Frustum planes after the jitter shift, as handed to glFrustum.
struct FrustumPlanes {
    double left, right, bottom, top, nearPlane, farPlane;
};

// The shifted planes for a viewport of `viewportWidth` x `viewportHeight`
// pixels; pure arithmetic, so tests can check it without a context.
FrustumPlanes JitteredFrustumPlanes(double left, double right, double bottom, double top,
                                    double nearPlane, double farPlane, double pixdx, double pixdy,
                                    double eyedx, double eyedy, double focus, int viewportWidth,
                                    int viewportHeight);

// One tile of a larger picture: the frustum of JitteredPerspective for the
// whole picture (pictureWidth x pictureHeight pixels), cut down to the pixels
// from (tileLeft, tileBottom), bottom-left origin, over tileWidth x
// tileHeight. The jitter stays in picture pixels, so the tiles of a picture
// fit together exactly as the untiled picture would be drawn.
FrustumPlanes TileFrustumPlanes(double fovy, double nearPlane, double farPlane, double pixdx,
                                double pixdy, int pictureWidth, int pictureHeight, int tileLeft,
                                int tileBottom, int tileWidth, int tileHeight);

// Sets the projection to the jittered frustum (reading the viewport), then
// selects the model-view matrix, loads the identity and moves by the eye
// offset.
void JitteredFrustum(double left, double right, double bottom, double top, double nearPlane,
                     double farPlane, double pixdx, double pixdy, double eyedx, double eyedy,
                     double focus);
void JitteredPerspective(double fovy, double aspect, double nearPlane, double farPlane,
                         double pixdx, double pixdy, double eyedx, double eyedy, double focus);

}  // namespace tessaly
