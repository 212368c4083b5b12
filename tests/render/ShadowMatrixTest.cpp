// The shadow projection: points land on the floor plane along the light.
#include <gtest/gtest.h>

#include <array>

#include "render/Scene.h"

namespace tessaly {
namespace {

using Vec4 = std::array<float, 4>;

Vec4 Apply(const std::array<float, 16>& m, const Vec4& p) {
    Vec4 r{};
    for (int row = 0; row < 4; ++row)
        for (int c = 0; c < 4; ++c) r[row] += m[4 * c + row] * p[c];
    return r;
}

TEST(ShadowMatrix, DirectionalLightProjectsParallelOntoThePlane) {
    const float h = -1.25f;
    const Vec4 light{-5, 6, 4, 0};
    std::array<float, 16> m{};
    ShadowMatrix(m, {0, 1, 0}, {0, h, 0}, light);
    for (const Vec4& p :
         {Vec4{0, 0, 0, 1}, Vec4{0.8f, 1, 0.2f, 1}, Vec4{-0.8f, h, -0.2f, 1}, Vec4{3, 7, -2, 1}}) {
        const Vec4 q = Apply(m, p);
        ASSERT_NE(q[3], 0.0f);
        const float x = q[0] / q[3], y = q[1] / q[3], z = q[2] / q[3];
        EXPECT_NEAR(y, h, 1e-5);
        // Moved against the light direction by the height above the plane.
        const float t = (p[1] - h) / light[1];
        EXPECT_NEAR(x, p[0] - t * light[0], 1e-5);
        EXPECT_NEAR(z, p[2] - t * light[2], 1e-5);
    }
    // Parallel: W of every projected point is the same.
    EXPECT_FLOAT_EQ(Apply(m, {0, 0, 0, 1})[3], Apply(m, {3, 7, -2, 1})[3]);
}

TEST(ShadowMatrix, PointLightProjectsFromItsPosition) {
    const Vec4 light{1, 4, 2, 1};
    std::array<float, 16> m{};
    ShadowMatrix(m, {0, 1, 0}, {0, 0, 0}, light);
    const Vec4 p{0.5f, 2, 1, 1};  // half way down from the light
    const Vec4 q = Apply(m, p);
    EXPECT_NEAR(q[0] / q[3], 0.0f, 1e-5);
    EXPECT_NEAR(q[1] / q[3], 0.0f, 1e-5);
    EXPECT_NEAR(q[2] / q[3], 0.0f, 1e-5);
}

TEST(ShadowMatrix, ColumnMajorLayout) {
    // Plane y = 2 (D = -2), light (1, 1, 0, 0): dot = 1.
    std::array<float, 16> m{};
    ShadowMatrix(m, {0, 1, 0}, {5, 2, 5}, {1, 1, 0, 0});
    const std::array<float, 16> expected{1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 2, 2, 0, 1};
    EXPECT_EQ(m, expected);
}

}  // namespace
}  // namespace tessaly
