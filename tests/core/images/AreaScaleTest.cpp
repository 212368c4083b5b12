// Area-averaging resize: exact block means, replication when enlarging,
// partial pixels counted by the part covered, and nothing read or written
// outside the pictures (the sanitizers watch the odd sizes).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/images/AreaScale.h"

namespace tessaly {
namespace {

std::vector<std::uint8_t> Scaled(const std::vector<std::uint8_t>& source, int sw, int sh, int c,
                                 int tw, int th) {
    std::vector<std::uint8_t> target(static_cast<std::size_t>(tw) * th * c, 0xAB);
    ScaleByArea(source.data(), sw, sh, c, target.data(), tw, th);
    return target;
}

TEST(AreaScale, HalvingAveragesEachBlockAndKeepsTheChannelsApart) {
    // 4 x 2 RGBA: two 2 x 2 blocks.
    const std::vector<std::uint8_t> source = {
        0,   0, 0, 255, 100, 10, 0, 255, 200, 0, 0, 0, 200, 0, 0, 0,   //
        100, 0, 0, 255, 200, 30, 0, 255, 200, 0, 0, 0, 201, 0, 4, 0,   //
    };
    const auto out = Scaled(source, 4, 2, 4, 2, 1);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{100, 10, 0, 255, 200, 0, 1, 0}));
}

TEST(AreaScale, SameSizeIsACopyAndEnlargingReplicates) {
    std::vector<std::uint8_t> source(5 * 3 * 3);
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(Scaled(source, 5, 3, 3, 5, 3), source);

    const std::vector<std::uint8_t> two = {10, 250};
    EXPECT_EQ(Scaled(two, 2, 1, 1, 4, 2), (std::vector<std::uint8_t>{10, 10, 250, 250,  //
                                                                     10, 10, 250, 250}));
}

TEST(AreaScale, PartlyCoveredPixelsCountByTheirShare) {
    // Three pixels into two: each target pixel covers 1.5 source pixels.
    const std::vector<std::uint8_t> source = {0, 90, 180};
    EXPECT_EQ(Scaled(source, 3, 1, 1, 2, 1), (std::vector<std::uint8_t>{30, 150}));
}

TEST(AreaScale, OddSizesKeepAPlainColourPlain) {
    const int sizes[][4] = {{3872, 3, 4096, 2}, {7, 13, 8, 16}, {1, 1, 4, 4}, {17, 5, 1, 1},
                            {100, 1, 128, 1}, {3, 2, 4, 2}};
    for (const auto& s : sizes) {
        const std::vector<std::uint8_t> source(static_cast<std::size_t>(s[0]) * s[1] * 3, 77);
        const auto out = Scaled(source, s[0], s[1], 3, s[2], s[3]);
        for (const std::uint8_t v : out) ASSERT_EQ(v, 77) << s[0] << "x" << s[1];
    }
}

}  // namespace
}  // namespace tessaly
