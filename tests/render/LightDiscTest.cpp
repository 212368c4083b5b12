// The points the studio look spreads its light over: inside the disc, spread
// across it rather than bunched, and the light moved across its direction by
// at most the disc's radius.
#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "render/studio/LightDisc.h"

namespace tessaly {
namespace {

double Length(const std::array<float, 3>& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

TEST(LightDisc, PointsFillTheDiscEvenly) {
    EXPECT_EQ(DiscPoint(0, 1), (std::array<float, 2>{0.0f, 0.0f}))
        << "one pass: the light stays put";
    for (int count : {2, 4, 8}) {
        double sx = 0, sy = 0;
        int outer = 0;
        std::set<std::pair<int, int>> seen;
        for (int i = 0; i < count; ++i) {
            const auto p = DiscPoint(i, count);
            const double r = std::hypot(p[0], p[1]);
            EXPECT_LE(r, 1.0) << i << " of " << count;
            if (r > 0.5) ++outer;
            sx += p[0], sy += p[1];
            seen.insert({static_cast<int>(std::lround(p[0] * 100)),
                         static_cast<int>(std::lround(p[1] * 100))});
        }
        EXPECT_EQ(static_cast<int>(seen.size()), count) << "no two passes share a point";
        EXPECT_GE(outer, count / 2) << "the rim is reached, not only the centre";
        EXPECT_LT(std::hypot(sx / count, sy / count), 0.35) << "centred: the shadow does not drift";
    }
}

TEST(LightDisc, MovesTheLightAcrossItsDirectionWithinTheRadius) {
    for (const std::array<float, 3> light :
         {std::array<float, 3>{0, 4, 4}, {-2, 3, 2}, {0, 5, 0}}) {
        EXPECT_EQ(JitteredLight(light, 0, 1, 0.2f), light);
        const double length = Length(light);
        for (int i = 0; i < 8; ++i) {
            const auto moved = JitteredLight(light, i, 8, 0.2f);
            const std::array<float, 3> d{moved[0] - light[0], moved[1] - light[1],
                                         moved[2] - light[2]};
            EXPECT_LE(Length(d), 0.2 * length + 1e-4);
            const double along = (d[0] * light[0] + d[1] * light[1] + d[2] * light[2]) / length;
            EXPECT_NEAR(along, 0.0, 1e-4) << "the move is across the light, not along it";
        }
    }
    EXPECT_EQ(JitteredLight({0, 0, 0}, 3, 8, 0.2f), (std::array<float, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace tessaly
