#include "render/studio/LightDisc.h"

#include <cmath>

namespace tessaly {

std::array<float, 2> DiscPoint(int index, int count) {
    if (count <= 1) return {0.0f, 0.0f};
    constexpr double kGoldenAngle = 2.39996322972865332;
    const double r = std::sqrt((index + 0.5) / count);
    const double a = index * kGoldenAngle;
    return {static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a))};
}

std::array<float, 3> JitteredLight(const std::array<float, 3>& light, int index, int count,
                                   float radius) {
    const double x = light[0], y = light[1], z = light[2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0 || count <= 1) return light;
    // Two directions across the light: u is horizontal where it can be.
    double ux = -z, uy = 0.0, uz = x;
    double ul = std::sqrt(ux * ux + uz * uz);
    if (ul < 1e-9 * length) {
        ux = 1.0, uy = 0.0, uz = 0.0;
        ul = 1.0;
    }
    ux /= ul, uy /= ul, uz /= ul;
    // v = (light / length) x u
    const double vx = (y * uz - z * uy) / length;
    const double vy = (z * ux - x * uz) / length;
    const double vz = (x * uy - y * ux) / length;
    const auto p = DiscPoint(index, count);
    const double s = radius * length;
    return {static_cast<float>(x + s * (p[0] * ux + p[1] * vx)),
            static_cast<float>(y + s * (p[0] * uy + p[1] * vy)),
            static_cast<float>(z + s * (p[0] * uz + p[1] * vz))};
}

}  // namespace tessaly
