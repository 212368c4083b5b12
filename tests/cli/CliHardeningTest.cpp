// The command line's honesty about what went wrong: a damaged project or a
// problem while preparing the cover stops `render` unless --salvage is given,
// `state` flags a damaged project, and output devices are written in place
// with their errors reported.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "CliRunner.h"
#include "core/images/RgbaImage.h"
#include "support/ImageCompare.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

class CliHardening : public ::testing::Test {
  protected:
    CliResult Run(std::vector<std::string> args, bool small = true) {
        if (small) args.insert(args.end(), {"--size", "64x48", "--passes", "1"});
        return RunCli(args, dir.Path());
    }
    std::string Path(const std::string& name) { return (dir / name).string(); }
    std::string Picture(const std::string& name, std::uint8_t grey) {
        RgbaImage image(40, 30);
        for (std::size_t i = 0; i < image.pixels.size(); ++i)
            image.pixels[i] = i % 4 == 3 ? 255 : static_cast<std::uint8_t>(grey + i % 7);
        WritePngFile(image, dir / name);
        return Path(name);
    }
    TempDir dir;
};

TEST_F(CliHardening, ADamagedProjectStopsRenderUnlessSalvagedAndIsFlaggedByState) {
    const std::string front = Picture("front.png", 200);
    const std::string side = Picture("side.png", 40);
    ASSERT_EQ(RunCli({"new", "--type", "stdbox", "--image1", front, "--image2", side, "-o",
                      Path("p.eco")},
                     dir.Path())
                  .exitCode,
              0);
    const std::string whole = ReadFileText(Path("p.eco"));
    const std::string sideBytes = ReadFileText(side);
    const std::size_t at = whole.find(sideBytes);
    ASSERT_NE(at, std::string::npos);
    std::ofstream(dir / "cut.eco", std::ios::binary) << whole.substr(0, at + sideBytes.size() / 2);

    const CliResult refused = Run({"render", Path("cut.eco"), "-o", Path("out.png")});
    EXPECT_EQ(refused.exitCode, 1) << refused.err;
    EXPECT_NE(refused.err.find("the project is damaged: its image Image2 (.png) is incomplete"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("problem(s) while preparing the cover"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("--salvage"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir / "out.png"));

    const CliResult salvaged = Run({"render", Path("cut.eco"), "--salvage", "-o", Path("out.png")});
    EXPECT_EQ(salvaged.exitCode, 0) << salvaged.err;
    EXPECT_NE(salvaged.err.find(Path("cut.eco") + ": the project is damaged"), std::string::npos)
        << salvaged.err;
    EXPECT_TRUE(fs::exists(dir / "out.png"));

    const CliResult state = RunCli({"state", Path("cut.eco")}, dir.Path());
    EXPECT_EQ(state.exitCode, 0) << state.err;
    EXPECT_TRUE(IsJson(state.out)) << state.out;
    EXPECT_NE(state.out.find("\"damaged\": true"), std::string::npos) << state.out;
    EXPECT_NE(state.out.find("\"key\": \"damagedproject\""), std::string::npos) << state.out;
    const CliResult sound = RunCli({"state", Path("p.eco")}, dir.Path());
    EXPECT_NE(sound.out.find("\"damaged\": false"), std::string::npos) << sound.out;

    // The whole project renders as before.
    EXPECT_EQ(Run({"render", Path("p.eco"), "-o", Path("whole.png")}).exitCode, 0);
    // A picture the gate refuses is a problem while preparing too.
    std::ofstream(dir / "svg.png") << "<svg xmlns='http://www.w3.org/2000/svg'/>";
    const CliResult svg = Run({"render", "--image1", Path("svg.png"), "-o", Path("svg-out.png")});
    EXPECT_EQ(svg.exitCode, 1) << svg.err;
    EXPECT_NE(svg.err.find("is named .png but holds SVG data"), std::string::npos) << svg.err;
    EXPECT_FALSE(fs::exists(dir / "svg-out.png"));
}

TEST_F(CliHardening, DevicesAndPipesAreWrittenInPlaceWithTheirErrors) {
    const CliResult full = Run({"render", "-o", "/dev/full", "--format", "png"});
    EXPECT_EQ(full.exitCode, 1) << full.err;
    EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    const CliResult null = Run({"render", "-o", "/dev/null", "--format", "bmp"});
    EXPECT_EQ(null.exitCode, 0) << null.err;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    const fs::path fifo = dir / "pipe.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadFileText(fifo); });
    const CliResult piped = Run({"render", "-o", fifo.string()});
    reader.join();
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(received.rfind("\x89PNG", 0), 0u);
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A driver log that cannot be written, and a model file that is missing or
// empty, are failures: before, the first was ignored and the second drew an
// empty scene with exit status 0.
TEST_F(CliHardening, AnUnwritableLogAndAnEmptyOrMissingModelFail) {
    const CliResult log =
        Run({"render", "--log", Path("no/such/folder/log.txt"), "-o", Path("log.png")});
    EXPECT_EQ(log.exitCode, 1) << log.err;
    EXPECT_NE(log.err.find("driver log could not be written"), std::string::npos) << log.err;
    EXPECT_FALSE(fs::exists(dir / "log.png"));

    std::ofstream(dir / "empty.emo", std::ios::binary).flush();
    const CliResult empty = Run({"render", "--model", Path("empty.emo"), "-o", Path("e.png")});
    EXPECT_EQ(empty.exitCode, 1) << empty.err;
    EXPECT_NE(empty.err.find("the model file is empty"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(dir / "e.png"));

    const CliResult missing = Run({"render", "--model", Path("none.emo"), "-o", Path("m.png")});
    EXPECT_EQ(missing.exitCode, 1) << missing.err;
    EXPECT_NE(missing.err.find("no such model file"), std::string::npos) << missing.err;

    const CliResult fine = Run({"render", "--log", Path("log.txt"), "-o", Path("ok.png")});
    EXPECT_EQ(fine.exitCode, 0) << fine.err;
    EXPECT_NE(ReadFileText(Path("log.txt")).find("[RENDERER]"), std::string::npos);
}

}  // namespace
}  // namespace tessaly::test
