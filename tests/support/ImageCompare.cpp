#include "support/ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "core/images/PictureReader.h"
#include "core/images/PngCodec.h"
#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly::test {

namespace {

int ChannelDifference(const std::uint8_t* a, const std::uint8_t* b) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(int(a[c]) - int(b[c])));
    return largest;
}

bool UpdateRequested() {
    const char* v = std::getenv("TESSALY_UPDATE_BASELINES");
    return v && std::string(v) == "1";
}

}  // namespace

bool ImageDifference::Matches() const {
    return sameSize && static_cast<double>(differing) <= kMaxDifferingFraction * total;
}

ImageDifference CompareImages(const RgbaImage& expected, const RgbaImage& actual) {
    ImageDifference d;
    d.sameSize = expected.width == actual.width && expected.height == actual.height;
    if (!d.sameSize) return d;
    d.total = static_cast<long>(actual.width) * actual.height;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const int diff = ChannelDifference(expected.Pixel(x, y), actual.Pixel(x, y));
            d.largest = std::max(d.largest, diff);
            if (diff > kChannelTolerance) ++d.differing;
        }
    }
    return d;
}

RgbaImage DiffImage(const RgbaImage& expected, const RgbaImage& actual) {
    RgbaImage diff(actual.width, actual.height);
    const bool sameSize = expected.width == actual.width && expected.height == actual.height;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const std::uint8_t* a = actual.Pixel(x, y);
            std::uint8_t* out = diff.Pixel(x, y);
            const bool differs =
                !sameSize || ChannelDifference(expected.Pixel(x, y), a) > kChannelTolerance;
            if (differs) {
                out[0] = 255;
                out[1] = 0;
                out[2] = 0;
            } else {
                // Grey at a third of the brightness, so red stands out.
                const auto grey = static_cast<std::uint8_t>((a[0] + a[1] + a[2]) / 9);
                out[0] = out[1] = out[2] = grey;
            }
            out[3] = 255;
        }
    }
    return diff;
}

std::filesystem::path BaselineDir() {
    return SourceDir() / "tests" / "baselines";
}
std::filesystem::path ImageDiffDir() {
    return ProgramDir() / "tests" / "image-diffs";
}

RgbaImage ReadPng(const std::filesystem::path& path) {
    return ReadPicture(path.string());
}

void WritePngFile(const RgbaImage& image, const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    WriteFileAtomically(path, [&](std::ostream& out) { WritePng(image, out); });
}

::testing::AssertionResult MatchesBaseline(const RgbaImage& actual, const std::string& name) {
    const auto baseline = BaselineDir() / (name + ".png");
    if (UpdateRequested()) {
        WritePngFile(actual, baseline);
        return ::testing::AssertionSuccess() << "baseline written: " << baseline;
    }

    RgbaImage expected;
    std::string readError;
    try {
        expected = ReadPng(baseline);
    } catch (const std::exception& e) {
        readError = e.what();
    }

    const auto actualPath = ImageDiffDir() / (name + ".actual.png");
    const auto diffPath = ImageDiffDir() / (name + ".diff.png");
    if (!readError.empty()) {
        WritePngFile(actual, actualPath);
        return ::testing::AssertionFailure()
               << "no baseline " << baseline << " (" << readError << "); actual picture written to "
               << actualPath << "; run with TESSALY_UPDATE_BASELINES=1 to make it the baseline";
    }

    const ImageDifference d = CompareImages(expected, actual);
    if (d.Matches()) {
        // A stale failure picture from an earlier run would only mislead.
        std::error_code ec;
        std::filesystem::remove(actualPath, ec);
        std::filesystem::remove(diffPath, ec);
        return ::testing::AssertionSuccess();
    }

    WritePngFile(actual, actualPath);
    WritePngFile(DiffImage(expected, actual), diffPath);
    std::ostringstream why;
    if (!d.sameSize) {
        why << "size " << actual.width << "x" << actual.height << " differs from the baseline's "
            << expected.width << "x" << expected.height;
    } else {
        why << d.differing << " of " << d.total << " pixels differ by more than "
            << kChannelTolerance << " levels (largest " << d.largest << "; at most "
            << static_cast<long>(kMaxDifferingFraction * d.total) << " may)";
    }
    return ::testing::AssertionFailure() << name << ": " << why.str() << "; actual picture "
                                         << actualPath << ", diff " << diffPath;
}

}  // namespace tessaly::test
