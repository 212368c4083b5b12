// ImageCompare: the one rule by which rendered pictures are compared with
// their baselines in tests/baselines/.
//
// The rule: a pixel differs when any of its red, green or blue channels
// differs by more than kChannelTolerance levels (of 255); two pictures match
// when they have the same size and at most kMaxDifferingFraction of their
// pixels differ. Alpha is not compared (baselines are stored as RGB PNGs).
//
// Why these numbers: the software rasteriser gives bit-identical pictures
// from run to run on one machine, but another build of it may round a
// blended or interpolated channel a few levels differently and move an
// antialiased edge pixel. 8 levels absorbs that rounding; 0.5% of a 320x240
// picture (384 pixels) absorbs a moved edge, while a cover turned by one
// degree, a shadow gone, a texture lost or a colour changed by 4% all move
// far more pixels by far more than 8 levels.
//
// On a mismatch the actual picture and a diff picture (differing pixels red
// over a dimmed grey copy of the actual picture) are written to
// <build>/tests/image-diffs/, and the failure message names them.
//
// With TESSALY_UPDATE_BASELINES=1 in the environment, MatchesBaseline writes
// the actual picture as the new baseline into the source tree and passes, so
// changed pictures can be reviewed in the diff of tests/baselines/.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/images/RgbaImage.h"

namespace tessaly::test {

inline constexpr int kChannelTolerance = 8;
inline constexpr double kMaxDifferingFraction = 0.005;

struct ImageDifference {
    bool sameSize = false;
    long differing = 0;  // pixels over the channel tolerance
    long total = 0;
    int largest = 0;  // largest channel difference seen
    bool Matches() const;
};

ImageDifference CompareImages(const RgbaImage& expected, const RgbaImage& actual);

// Differing pixels in red over a dimmed grey copy of `actual`.
RgbaImage DiffImage(const RgbaImage& expected, const RgbaImage& actual);

std::filesystem::path BaselineDir();   // <source>/tests/baselines
std::filesystem::path ImageDiffDir();  // <build>/tests/image-diffs

// Compares `actual` with tests/baselines/<name>.png under the rule above.
::testing::AssertionResult MatchesBaseline(const RgbaImage& actual, const std::string& name);

// Reads and writes PNG pictures with the program's own codecs.
RgbaImage ReadPng(const std::filesystem::path& path);
void WritePngFile(const RgbaImage& image, const std::filesystem::path& path);

}  // namespace tessaly::test
