#include "app/view/CentreCover.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/MainState.h"
#include "core/model/EmoModel.h"

namespace tessaly {

namespace {

constexpr double kPi = 3.14159265;

// Turns (x, z) about the vertical axis by `degrees`, as glRotatef does.
void TurnY(double& x, double& z, double degrees) {
    const double a = degrees * kPi / 180.0;
    const double nx = x * std::cos(a) + z * std::sin(a);
    const double nz = -x * std::sin(a) + z * std::cos(a);
    x = nx;
    z = nz;
}

void TurnX(double& y, double& z, double degrees) {
    const double a = degrees * kPi / 180.0;
    const double ny = y * std::cos(a) - z * std::sin(a);
    const double nz = y * std::sin(a) + z * std::cos(a);
    y = ny;
    z = nz;
}

void TurnZ(double& x, double& y, double degrees) {
    const double a = degrees * kPi / 180.0;
    const double nx = x * std::cos(a) - y * std::sin(a);
    const double ny = x * std::sin(a) + y * std::cos(a);
    x = nx;
    y = ny;
}

}  // namespace

float ModelOffsetInView(const MainState& state, const TmodelEMO& model) {
    const SceneSettings& s = state.Session.TheScene.Settings;
    double left = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    for (const TobjectEMO& object : model.Objects)
        for (const Vec3& v : object.Vertices) {
            double x = v[0] * model.ScaleX;
            double y = v[1] * model.ScaleY;
            double z = v[2] * model.ScaleZ;
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) continue;
            // The cover's turns in the order the scene applies them to a
            // vertex, then the camera's turn about the cover.
            TurnZ(x, y, s.CoverRollZ);
            TurnX(y, z, -s.CoverRollX);
            TurnY(x, z, s.CoverRotate);
            TurnY(x, z, s.CameraRotate);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    if (left > right) return 0.0f;
    return static_cast<float>((left + right) / 2.0);
}

void CentreCoverInView(MainState& state) {
    const TmodelEMO* model = state.CurrentModel();
    if (!model) return;
    const float offset = ModelOffsetInView(state, *model);
    // Strafe = (100 - position) / 100 moves the scene by Strafe units.
    ScrollBar& strafe = state.Controls.StrafeSB;
    const bool modified = state.Cover.Modified;
    strafe.SetPosition(static_cast<int>(std::lround(100.0 + 100.0 * offset)));
    state.Cover.Modified = modified;
}

}  // namespace tessaly
