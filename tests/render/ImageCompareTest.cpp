// The baseline comparison rule itself: where its limits lie.
#include "support/ImageCompare.h"

namespace tessaly::test {
namespace {

RgbaImage Grey(int w, int h, std::uint8_t v) {
    RgbaImage image(w, h);
    for (std::size_t k = 0; k < image.pixels.size(); ++k) image.pixels[k] = k % 4 == 3 ? 255 : v;
    return image;
}

TEST(ImageCompare, ToleratesSmallChannelDifferencesAndFewPixels) {
    const RgbaImage base = Grey(320, 240, 100);
    RgbaImage near = base;
    for (int x = 0; x < 320; ++x) near.Pixel(x, 10)[1] = 108;  // 8 levels: same
    EXPECT_TRUE(CompareImages(base, near).Matches());
    EXPECT_EQ(CompareImages(base, near).differing, 0);

    RgbaImage few = base;
    for (int i = 0; i < 384; ++i) few.Pixel(i % 320, i / 320)[2] = 109;  // 0.5%
    EXPECT_TRUE(CompareImages(base, few).Matches());
    few.Pixel(100, 100)[0] = 0;  // one more
    const ImageDifference d = CompareImages(base, few);
    EXPECT_FALSE(d.Matches());
    EXPECT_EQ(d.differing, 385);
    EXPECT_EQ(d.largest, 100);

    // Alpha is not compared; a different size never matches.
    RgbaImage alpha = base;
    alpha.Pixel(0, 0)[3] = 0;
    EXPECT_EQ(CompareImages(base, alpha).differing, 0);
    EXPECT_FALSE(CompareImages(base, Grey(320, 239, 100)).Matches());
}

TEST(ImageCompare, DiffMarksDifferingPixelsRedOverADimmedCopy) {
    const RgbaImage base = Grey(4, 2, 90);
    RgbaImage changed = base;
    changed.Pixel(1, 1)[0] = 200;
    const RgbaImage diff = DiffImage(base, changed);
    EXPECT_EQ(diff.Pixel(1, 1)[0], 255);
    EXPECT_EQ(diff.Pixel(1, 1)[1], 0);
    EXPECT_EQ(diff.Pixel(0, 0)[0], 30);
    EXPECT_EQ(diff.Pixel(0, 0)[1], 30);
}

TEST(ImageCompare, MissingBaselineFailsAndKeepsTheActualPicture) {
    if (const char* v = std::getenv("TESSALY_UPDATE_BASELINES"); v && std::string(v) == "1")
        GTEST_SKIP() << "would write a baseline";
    const auto result = MatchesBaseline(Grey(8, 8, 50), "no-such-baseline");
    EXPECT_FALSE(result);
    const auto actual = ImageDiffDir() / "no-such-baseline.actual.png";
    ASSERT_TRUE(std::filesystem::exists(actual));
    EXPECT_EQ(ReadPng(actual).width, 8);
    std::filesystem::remove(actual);
}

}  // namespace
}  // namespace tessaly::test
