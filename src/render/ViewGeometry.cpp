#include "render/ViewGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/model/EmoModel.h"

namespace tessaly {

namespace {

// Column-major 4x4 matrices, as OpenGL keeps them.
using Mat4 = std::array<double, 16>;

constexpr double kNear = 0.1;
constexpr double kFar = 1000.0;

Mat4 Identity() {
    Mat4 m{};
    m[0] = m[5] = m[10] = m[15] = 1.0;
    return m;
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = sum;
        }
    return r;
}

Mat4 Translate(double x, double y, double z) {
    Mat4 m = Identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Mat4 Scale(double x, double y, double z) {
    Mat4 m = Identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// glRotatef about one of the axes (0 x, 1 y, 2 z).
Mat4 Rotate(double degrees, int axis) {
    const double a = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    Mat4 m = Identity();
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    m[i * 4 + i] = c;
    m[j * 4 + j] = c;
    m[i * 4 + j] = s;
    m[j * 4 + i] = -s;
    return m;
}

Mat4 Perspective(double fovY, double aspect) {
    const double f = 1.0 / std::tan(fovY * 3.14159265358979323846 / 360.0);
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (kFar + kNear) / (kNear - kFar);
    m[11] = -1.0;
    m[14] = 2.0 * kFar * kNear / (kNear - kFar);
    return m;
}

// The model-view matrix of the cover in the main pass.
Mat4 CoverModelView(const SceneSettings& s, const TmodelEMO& model) {
    Mat4 m = Translate(s.Strafe, s.Elevation, -s.Distance);
    m = Multiply(m, Rotate(s.CameraLift, 0));
    m = Multiply(m, Translate(0.0, 0.0, s.FrontBack));
    m = Multiply(m, Rotate(s.CameraRotate, 1));
    m = Multiply(m, Translate(0.0, s.CoverLift, 0.0));
    m = Multiply(m, Rotate(s.CoverRotate, 1));
    m = Multiply(m, Rotate(-s.CoverRollX, 0));
    m = Multiply(m, Rotate(s.CoverRollZ, 2));
    return Multiply(m, Scale(model.ScaleX, model.ScaleY, model.ScaleZ));
}

double Edge(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

CoverProjection::CoverProjection(const SceneSettings& settings, const TmodelEMO& model, int width,
                                 int height) {
    const double w = std::max(1, width), h = std::max(1, height);
    const Mat4 projection = Perspective(settings.FieldOfView, w / h);
    const Mat4 view = CoverModelView(settings, model);
    for (const TobjectEMO& object : model.Objects) {
        const std::size_t index = names_.size();
        names_.push_back(object.Name);
        const Mat4 m = Multiply(projection, Multiply(view, Rotate(object.AngleY, 1)));
        std::vector<Corner> corners;
        std::vector<bool> inFront;
        corners.reserve(object.Vertices.size());
        for (const Vec3& v : object.Vertices) {
            double clip[4];
            for (int row = 0; row < 4; ++row)
                clip[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row];
            const bool front = clip[3] > kNear;
            inFront.push_back(front);
            if (!front) {
                corners.push_back({0.0f, 0.0f, 0.0f});
                continue;
            }
            // The depth is the distance in front of the eye, which keeps
            // its precision where the depth buffer's value would not.
            const Corner c{static_cast<float>((clip[0] / clip[3] + 1.0) * 0.5 * w),
                           static_cast<float>((1.0 - clip[1] / clip[3]) * 0.5 * h),
                           static_cast<float>(clip[3])};
            corners.push_back(c);
            if (bounds_.Empty) {
                bounds_ = {c.x, c.y, c.x, c.y, false};
            } else {
                bounds_.Left = std::min(bounds_.Left, c.x);
                bounds_.Right = std::max(bounds_.Right, c.x);
                bounds_.Top = std::min(bounds_.Top, c.y);
                bounds_.Bottom = std::max(bounds_.Bottom, c.y);
            }
        }
        const auto count = static_cast<std::int32_t>(corners.size());
        for (const FaceEMO& face : object.Faces) {
            Triangle t{};
            t.object = index;
            bool usable = true;
            for (int k = 0; k < 3; ++k) {
                const std::int32_t i = face.Corners[k];
                if (i < 0 || i >= count || !inFront[static_cast<std::size_t>(i)]) {
                    usable = false;
                    break;
                }
                t.c[k] = corners[static_cast<std::size_t>(i)];
            }
            if (usable) triangles_.push_back(t);
        }
    }
}

std::optional<std::string> CoverProjection::ObjectAt(float x, float y) const {
    std::optional<std::size_t> best;
    double bestDepth = 0.0;
    for (const Triangle& t : triangles_) {
        const Corner &a = t.c[0], &b = t.c[1], &c = t.c[2];
        const double area = Edge(a.x, a.y, b.x, b.y, c.x, c.y);
        if (std::abs(area) < 1e-9) continue;
        const double w0 = Edge(b.x, b.y, c.x, c.y, x, y) / area;
        const double w1 = Edge(c.x, c.y, a.x, a.y, x, y) / area;
        const double w2 = 1.0 - w0 - w1;
        if (w0 < 0.0 || w1 < 0.0 || w2 < 0.0) continue;
        const double depth = w0 * a.depth + w1 * b.depth + w2 * c.depth;
        // Of faces at the same depth the one drawn last shows, as the
        // depth test lets equal depths through.
        if (!best || depth <= bestDepth + 1e-4) {
            bestDepth = best ? std::min(bestDepth, depth) : depth;
            best = t.object;
        }
    }
    if (!best) return std::nullopt;
    return names_[*best];
}

ScreenBox CoverProjection::Bounds() const {
    return bounds_;
}

}  // namespace tessaly
