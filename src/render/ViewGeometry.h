// ViewGeometry: where the cover's triangles land on the panel, computed on
// the CPU with the same camera, cover position and perspective as the main
// pass of DrawScene (without the antialiasing jitter). The window uses it to
// find the face under the mouse pointer when a picture is dropped on the
// panel, and to frame the whole cover in the view.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "render/SceneSettings.h"

namespace tessaly {

class TmodelEMO;

struct ScreenBox {
    float Left = 0.0f;
    float Top = 0.0f;
    float Right = 0.0f;
    float Bottom = 0.0f;
    bool Empty = true;
    float Width() const { return Right - Left; }
    float Height() const { return Bottom - Top; }
};

class CoverProjection {
  public:
    // Pixels of a width x height panel, origin at the top left.
    CoverProjection(const SceneSettings& settings, const TmodelEMO& model, int width, int height);

    // The name of the nearest object whose triangle covers pixel (x, y).
    std::optional<std::string> ObjectAt(float x, float y) const;
    // The box around every vertex in front of the camera.
    ScreenBox Bounds() const;

  private:
    struct Corner {
        float x, y, depth;
    };
    struct Triangle {
        Corner c[3];
        std::size_t object;
    };
    std::vector<std::string> names_;
    std::vector<Triangle> triangles_;
    ScreenBox bounds_;
};

}  // namespace tessaly
