#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "core/images/RgbaImage.h"
#include "support/ImageCompare.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, dir.Path()); }

    // Runs and expects success with a clean standard error (no sanitizer
    // report, no leak report at exit).
    CliResult Ok(const std::vector<std::string>& args) {
        CliResult r = Run(args);
        std::string line;
        for (const auto& a : args) line += " " + a;
        EXPECT_EQ(r.exitCode, 0) << "tessaly-cli" << line << "\n" << r.err;
        EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
        return r;
    }

    // A picture of one colour with a differently coloured corner, so that
    // every input file is distinct.
    std::string Picture(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        RgbaImage image(40, 30);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                std::uint8_t* p = image.Pixel(x, y);
                const bool corner = x < 8 && y < 8;
                p[0] = corner ? 255 - r : r;
                p[1] = corner ? 255 - g : g;
                p[2] = corner ? 255 - b : b;
                p[3] = 255;
            }
        WritePngFile(image, dir / name);
        return (dir / name).string();
    }

    std::string Path(const std::string& name) { return (dir / name).string(); }

    TempDir dir;
};

std::string Bytes(const std::string& path) {
    return ReadFileText(path);
}

std::uint32_t BigEndian32(const std::string& b, std::size_t at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) |
           (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint8_t(b[at + 3]);
}

std::int32_t LittleEndian32(const std::string& b, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t(std::uint8_t(b[at])) |
                                     (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
                                     (std::uint32_t(std::uint8_t(b[at + 2])) << 16) |
                                     (std::uint32_t(std::uint8_t(b[at + 3])) << 24));
}

bool IsPng(const std::string& b) {
    return b.rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}
bool IsJpeg(const std::string& b) {
    return b.size() > 3 && b.rfind("\xFF\xD8\xFF", 0) == 0;
}
bool IsBmp(const std::string& b) {
    return b.size() > 54 && b.rfind("BM", 0) == 0;
}

// The small, quick picture most renders here make.
const std::vector<std::string> kSmall = {"--size", "64x48", "--passes", "1"};

std::vector<std::string> Args(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(CliTest, EachVerbsHelpNamesEveryOptionItTakes) {
    const std::vector<std::string> scene = {
        "--distance",        "--camera-rotate", "--camera-lift", "--elevation",
        "--strafe",          "--front-back",    "--fov",         "--cover-rotate",
        "--roll-x",          "--roll-z",        "--cover-lift",  "--light",
        "--light-color",     "--ambient",       "--reflection",  "--shadow",
        "--shadow-darkness", "--background",    "--floor-color", "--floor-texture"};
    const std::vector<std::string> cover = {
        "--type",         "--width",  "--height", "--depth",       "--case-angle", "--spine-color",
        "--spiral-color", "--output", "-o",       "--image1",      "--image2",     "--image3",
        "--front",        "--side",   "--top",    "--bookN-front", "--bookN-back", "--bookN-side"};
    struct Verb {
        std::string name;
        std::vector<std::string> options;
    };
    const Verb verbs[] = {
        {"render",
         Args(Args(scene, cover),
              {"--template", "--project", "--format", "--size", "--passes", "--color-depth",
               "--log", "--model", "--axes", "--light-marker", "--transparent", "--tile-size",
               "--dpi", "--quality", "--quiet", "-o -", "6x9in", "210x297mm"})},
        {"new", Args(Args(scene, cover), {"--floor"})},
        {"extract", {"--to"}},
        {"batch",
         {"--format", "--keep-going", "--fail-fast", "--skip-existing", "--report", "--shard",
          "--shard-count", "--no-progress", "SLURM_ARRAY_TASK_ID", "JOB_COMPLETION_INDEX"}},
        {"inspect", {".emo", ".eco", ".tem"}},
        {"state", {".eco", ".tem"}},
    };
    for (const Verb& v : verbs) {
        SCOPED_TRACE(v.name);
        for (const char* help : {"--help", "-h"}) {
            const CliResult r = Ok({v.name, help});
            EXPECT_NE(r.out.find("Usage: tessaly-cli " + v.name), std::string::npos);
            for (const std::string& option : v.options)
                EXPECT_NE(r.out.find(option), std::string::npos) << option << " is not in the help";
        }
    }
    const CliResult top = Ok({"--help"});
    for (const char* verb : {"render", "batch", "inspect", "state", "new", "extract"})
        EXPECT_NE(top.out.find(verb), std::string::npos);
    EXPECT_EQ(Run({}).exitCode, 2);
}

TEST_F(CliTest, BadUsageExitsTwoWithAMessage) {
    const std::string out = Path("out.png");
    const std::vector<std::vector<std::string>> lines = {
        {"frobnicate"},
        {"render", "-o", out, "--bogus"},
        {"render", "-o", out, "--size", "0x10"},
        {"render", "-o", out, "--size", "64"},
        {"render", "-o", out, "--size", "99999x10"},
        {"render", "-o", out, "--passes", "9"},
        {"render", "-o", out, "--color-depth", "20"},
        {"render", "-o", out, "--format", "gif"},
        {"render", "-o", Path("out.gif")},
        {"render", "--size", "64x48"},
        {"render", "-o", out, "--type", "shoebox"},
        {"render", "-o", out, "--fov", "wide"},
        {"render", "-o", out, "--fov", "200"},
        {"render", "-o", out, "--light", "1,2"},
        {"render", "-o", out, "--background", "#12345"},
        {"render", "-o", out, "--shadow", "maybe"},
        {"render", "-o", out, "--template", Path("x.eco")},
        {"render", "-o"},
        {"render", "-o", out, "--transparent", "--format", "jpg"},
        {"render", "-o", Path("out.jpg"), "--transparent"},
        {"render", "-o", Path("out.bmp"), "--transparent"},
        {"render", "-o", out, "--transparent", "--color-depth", "16"},
        {"render", "-o", "-"},
        {"render", "-o", out, "--size", "30001x10"},
        {"render", "-o", out, "--size", "6x9in"},
        {"render", "-o", out, "--size", "200x200in", "--dpi", "300"},
        {"render", "-o", out, "--size", "6xin", "--dpi", "300"},
        {"render", "-o", out, "--dpi", "0"},
        {"render", "-o", out, "--quality", "101"},
        {"render", "-o", out, "--tile-size", "8"},
        {"new", "--type", "stdbox", "-o", Path("x.txt")},
        {"new", "-o", Path("x.eco")},
        {"new", "--type", "stdbox", "-o", Path("x.eco"), "--width", "3"},
        {"inspect"},
        {"inspect", Path("a.emo"), Path("b.emo")},
        {"inspect", Path("notes.txt")},
        {"state", Path("notes.txt")},
        {"extract", Path("p.eco")},
    };
    for (const auto& line : lines) {
        std::string text;
        for (const auto& a : line) text += " " + a;
        SCOPED_TRACE(text);
        const CliResult r = Run(line);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find("tessaly-cli"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(CliTest, UnreadableInputExitsOneAndWritesNothing) {
    const std::string out = Path("out.png");
    std::ofstream(dir / "junk.png") << "this is not a picture";
    std::ofstream(dir / "junk.eco") << "this is not a project either";
    const std::vector<std::vector<std::string>> lines = {
        {"inspect", Path("missing.emo")},
        {"inspect", Path("missing.eco")},
        {"extract", Path("missing.eco"), "--to", Path("x")},
        {"extract", Path("junk.eco"), "--to", Path("x")},
        {"render", Path("missing.eco"), "-o", out, "--size", "64x48", "--passes", "1"},
        {"render", Path("junk.eco"), "-o", out, "--size", "64x48", "--passes", "1"},
        {"render", "-o", out, "--image1", Path("junk.png"), "--size", "64x48", "--passes", "1"},
        {"render", "-o", Path("no/such/folder/out.png"), "--size", "64x48", "--passes", "1"},
        {"render", "-o", out, "--image2", Path("missing.png")},
        {"new", "--type", "stdbox", "--image1", Path("missing.png"), "-o", Path("x.eco")},
        {"inspect", Path("junk.eco")},
    };
    for (const auto& line : lines) {
        std::string text;
        for (const auto& a : line) text += " " + a;
        SCOPED_TRACE(text);
        const CliResult r = Run(line);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
        EXPECT_FALSE(fs::exists(dir / "no"));
        EXPECT_FALSE(fs::exists(dir / "x"));
        EXPECT_FALSE(fs::exists(dir / "x.eco"));
    }
}

TEST_F(CliTest, AProjectCutShortInsideAnImageIsReportedNotExtractedAsWhole) {
    const std::string front = Picture("front.png", 200, 30, 30);
    const std::string side = Picture("side.png", 30, 200, 30);
    Ok({"new", "--type", "stdbox", "--image1", front, "--image2", side, "-o", Path("p.eco")});
    const std::string whole = Bytes(Path("p.eco"));
    // Cut in the middle of the second image's bytes.
    const std::string sideBytes = Bytes(side);
    const std::size_t at = whole.find(sideBytes);
    ASSERT_NE(at, std::string::npos);
    std::ofstream(dir / "cut.eco", std::ios::binary) << whole.substr(0, at + sideBytes.size() / 2);

    const CliResult inspected = Run({"inspect", Path("cut.eco")});
    EXPECT_EQ(inspected.exitCode, 1) << inspected.err;
    EXPECT_TRUE(IsJson(inspected.out)) << inspected.out;
    EXPECT_NE(inspected.out.find("\"cutShort\": true"), std::string::npos) << inspected.out;

    const CliResult extracted = Run({"extract", Path("cut.eco"), "--to", Path("out")});
    EXPECT_EQ(extracted.exitCode, 1) << extracted.err;
    EXPECT_NE(extracted.err.find("ends inside"), std::string::npos) << extracted.err;
    EXPECT_EQ(Bytes(Path("out/Image1.png")), Bytes(front));
    EXPECT_FALSE(fs::exists(dir / "out" / "Image2.png")) << "half an image written as whole";

    // Cut inside a fixed section: the section's name and offset are given.
    std::ofstream(dir / "cut2.eco", std::ios::binary) << whole.substr(0, 7);
    const CliResult cut2 = Run({"extract", Path("cut2.eco"), "--to", Path("out2")});
    EXPECT_EQ(cut2.exitCode, 1) << cut2.err;
    EXPECT_EQ(Run({"inspect", Path("cut2.eco")}).exitCode, 1);
}

TEST_F(CliTest, RenderWritesTheFormatOfTheExtensionOrOfFormat) {
    Ok(Args({"render", "-o", Path("a.png")}, kSmall));
    Ok(Args({"render", "-o", Path("a.jpg")}, kSmall));
    Ok(Args({"render", "-o", Path("a.JPEG")}, kSmall));
    Ok(Args({"render", "-o", Path("a.bmp")}, kSmall));
    Ok(Args({"render", "-o", Path("a.out"), "--format", "png"}, kSmall));
    Ok(Args({"render", "-o", Path("b.png"), "--format", "bmp"}, kSmall));
    EXPECT_TRUE(IsPng(Bytes(Path("a.png"))));
    EXPECT_TRUE(IsJpeg(Bytes(Path("a.jpg"))));
    EXPECT_TRUE(IsJpeg(Bytes(Path("a.JPEG"))));
    EXPECT_TRUE(IsBmp(Bytes(Path("a.bmp"))));
    EXPECT_TRUE(IsPng(Bytes(Path("a.out"))));
    EXPECT_TRUE(IsBmp(Bytes(Path("b.png"))));
    // Nothing but the pictures is left behind (no half-written files).
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        if (entry.path().filename().string().rfind("cli-std", 0) != 0) ++files;
    EXPECT_EQ(files, 6u);
}

TEST_F(CliTest, RenderHonoursSizeAndColourDepth) {
    const CliResult r = Ok({"render", "-o", Path("wide.png"), "--size", "123x45", "--passes", "1"});
    EXPECT_NE(r.out.find("wide.png"), std::string::npos);
    const std::string png = Bytes(Path("wide.png"));
    ASSERT_TRUE(IsPng(png));
    EXPECT_EQ(BigEndian32(png, 16), 123u);
    EXPECT_EQ(BigEndian32(png, 20), 45u);
    const RgbaImage picture = ReadPng(Path("wide.png"));
    EXPECT_EQ(picture.width, 123);
    EXPECT_EQ(picture.height, 45);

    for (int depth : {16, 24, 32}) {
        SCOPED_TRACE(depth);
        const std::string file = Path("d" + std::to_string(depth) + ".bmp");
        Ok({"render", "-o", file, "--size", "31x17", "--passes", "1", "--color-depth",
            std::to_string(depth)});
        const std::string bmp = Bytes(file);
        ASSERT_TRUE(IsBmp(bmp));
        EXPECT_EQ(LittleEndian32(bmp, 18), 31);
        EXPECT_EQ(std::abs(LittleEndian32(bmp, 22)), 17);
        EXPECT_EQ(std::uint8_t(bmp[28]) | (std::uint8_t(bmp[29]) << 8), depth);
        EXPECT_EQ(static_cast<std::size_t>(LittleEndian32(bmp, 2)), bmp.size());
    }
}

TEST_F(CliTest, RenderToStandardOutputGivesExactlyTheFilesBytes) {
    for (const char* format : {"png", "jpg", "bmp"}) {
        SCOPED_TRACE(format);
        const std::string file = Path(std::string("file.") + format);
        Ok(Args({"render", "-o", file, "--quality", "50", "--dpi", "150"}, kSmall));
        const CliResult r = Ok(Args(
            {"render", "-o", "-", "--format", format, "--quality", "50", "--dpi", "150"}, kSmall));
        EXPECT_EQ(r.out, Bytes(file)) << "standard output holds the picture and nothing else";
    }
}

TEST_F(CliTest, RenderTakesPhysicalSizesAtAResolution) {
    // 21 x 29.7 mm at 300 dpi: 248.03 x 350.79 pixels, rounded.
    Ok({"render", "-o", Path("a.png"), "--size", "21x29.7mm", "--dpi", "300", "--passes", "1"});
    const std::string png = Bytes(Path("a.png"));
    EXPECT_EQ(BigEndian32(png, 16), 248u);
    EXPECT_EQ(BigEndian32(png, 20), 351u);
    const std::size_t phys = png.find("pHYs");
    ASSERT_NE(phys, std::string::npos);
    EXPECT_EQ(BigEndian32(png, phys + 4), 11811u);  // 300 dpi in pixels per metre
    Ok({"render", "-o", Path("b.bmp"), "--size", "1.5x0.5in", "--dpi", "96", "--passes", "1"});
    const std::string bmp = Bytes(Path("b.bmp"));
    EXPECT_EQ(LittleEndian32(bmp, 18), 144);
    EXPECT_EQ(LittleEndian32(bmp, 22), 48);
    EXPECT_EQ(LittleEndian32(bmp, 38), 3780);
}

TEST_F(CliTest, RenderByTilesAndWithATransparentBackground) {
    const std::vector<std::string> scene = {"--size",         "120x90", "--camera-lift", "15",
                                            "--cover-rotate", "330",    "--reflection",  "0.5"};
    Ok(Args({"render", "-o", Path("whole.png")}, scene));
    Ok(Args({"render", "-o", Path("tiled.png"), "--tile-size", "50"}, scene));
    const ImageDifference d = CompareImages(ReadPng(Path("whole.png")), ReadPng(Path("tiled.png")));
    EXPECT_TRUE(d.Matches()) << d.differing << " pixels differ";

    Ok(Args({"render", "-o", Path("clear.png"), "--transparent", "--quiet"}, scene));
    EXPECT_EQ(Bytes(Path("clear.png"))[25], 6) << "PNG colour type RGBA";
    Ok(Args({"render", "-o", Path("clear.bmp"), "--transparent", "--color-depth", "32"}, scene));
    EXPECT_EQ(LittleEndian32(Bytes(Path("clear.bmp")), 14), 124) << "header with an alpha mask";
}

TEST_F(CliTest, RenderDrawsTheCoverTypeAsked) {
    Ok(Args({"render", "-o", Path("stdbox.png")}, kSmall));
    const RgbaImage box = ReadPng(Path("stdbox.png"));
    for (const char* type : {"cdcase", "spiral1", "3bookbox"}) {
        SCOPED_TRACE(type);
        const std::string file = Path(std::string(type) + ".png");
        Ok(Args({"render", "-o", file, "--type", type}, kSmall));
        const RgbaImage other = ReadPng(file);
        ASSERT_EQ(other.width, 64);
        EXPECT_FALSE(CompareImages(box, other).Matches()) << type << " looks like the standard box";
    }
    // The same command twice gives the same picture.
    Ok(Args({"render", "-o", Path("again.png")}, kSmall));
    EXPECT_EQ(Bytes(Path("again.png")), Bytes(Path("stdbox.png")));
}

TEST_F(CliTest, InspectOfAModelFilePrintsItsObjectsAsJson) {
    std::vector<fs::path> models;
    for (const auto& entry : fs::directory_iterator(ProgramDir() / "Tsym"))
        if (entry.path().extension() == ".emo") models.push_back(entry.path());
    ASSERT_FALSE(models.empty()) << "no model files in " << (ProgramDir() / "Tsym");
    std::sort(models.begin(), models.end());
    for (const fs::path& model : {models.front(), models.back()}) {
        SCOPED_TRACE(model);
        const CliResult r = Ok({"inspect", model.string()});
        EXPECT_TRUE(IsJson(r.out)) << r.out;
        for (const char* key : {"\"format\": \"model\"", "\"scale\":", "\"objects\":", "\"name\":",
                                "\"vertices\":", "\"faces\":"})
            EXPECT_NE(r.out.find(key), std::string::npos) << key;
    }
}

TEST_F(CliTest, NewProjectRoundTripsThroughInspectStateAndExtract) {
    const std::string front = Picture("front.png", 200, 30, 30);
    const std::string side = Picture("side.png", 30, 200, 30);
    const std::string top = Picture("top.png", 30, 30, 200);
    const std::string floorPic = Picture("floor.png", 120, 120, 120);
    const std::vector<std::string> make = {
        "--type",       "stdbox",  "--image1", front, "--side",  side,    "--image3",        top,
        "--floor",      floorPic,  "--fov",    "60",  "--light", "2,8,6", "--camera-rotate", "30",
        "--background", "#336699", "--shadow", "off"};
    Ok(Args({"new", "-o", Path("one.eco")}, make));
    Ok(Args({"new", "-o", Path("two.eco")}, make));

    const CliResult inspected = Ok({"inspect", Path("one.eco")});
    EXPECT_TRUE(IsJson(inspected.out)) << inspected.out;
    EXPECT_NE(inspected.out.find("\"format\": \"project\""), std::string::npos);
    EXPECT_NE(inspected.out.find("\"magicOk\": true"), std::string::npos);
    EXPECT_NE(inspected.out.find("\"id\": \"stdbox\""), std::string::npos);
    EXPECT_EQ(inspected.out.find("cutShort"), std::string::npos);
    for (const std::string& pic : {front, side, top, floorPic})
        EXPECT_NE(inspected.out.find("\"length\": " + std::to_string(fs::file_size(pic))),
                  std::string::npos)
            << pic;

    const CliResult one = Ok({"state", Path("one.eco")});
    const CliResult two = Ok({"state", Path("two.eco")});
    EXPECT_TRUE(IsJson(one.out)) << one.out;
    EXPECT_EQ(one.out, two.out);
    for (const char* expected :
         {"\"id\": \"stdbox\"", "\"ScrollBar11\": 60", "\"FieldOfView\": 60", "\"rotateSB\": 30",
          "\"LightXSB\": 120", "\"LightYSB\": 80", "\"LightZSB\": 60", "\"ShadowCheck\": false",
          "\"BgColor\": 10053171", "\"Modified\": false", "\"Image1\": \"Images/"})
        EXPECT_NE(one.out.find(expected), std::string::npos) << expected << "\n" << one.out;

    const CliResult extracted = Ok({"extract", Path("one.eco"), "--to", Path("out")});
    const std::pair<const char*, std::string> files[] = {
        {"Image1.png", front}, {"Image2.png", side}, {"Image3.png", top}, {"Floor.png", floorPic}};
    for (const auto& [name, source] : files) {
        EXPECT_NE(extracted.out.find(name), std::string::npos) << name;
        EXPECT_EQ(Bytes(Path(std::string("out/") + name)), Bytes(source)) << name;
    }
}

TEST_F(CliTest, NewBoxOfBooksKeepsEachBooksImages) {
    const std::string a = Picture("a.png", 10, 20, 30);
    const std::string b = Picture("b.png", 40, 50, 60);
    Ok({"new", "--type", "2bookbox", "--book1-front", a, "--book2-side", b, "-o",
        Path("books.eco")});
    const CliResult state = Ok({"state", Path("books.eco")});
    EXPECT_NE(state.out.find("\"id\": \"2bookbox\""), std::string::npos);
    Ok({"extract", Path("books.eco"), "--to", Path("out")});
    EXPECT_EQ(Bytes(Path("out/Book1Image1.png")), Bytes(a));
    EXPECT_EQ(Bytes(Path("out/Book2Image3.png")), Bytes(b));
    EXPECT_TRUE(fs::exists(dir / "out" / "Book1Image2.png") ||
                fs::exists(dir / "out" / "Book1Image2.jpg"));
}

TEST_F(CliTest, NewTemplateRoundTripsAndAppliesOverAProject) {
    Ok({"new", "--type", "cdcase", "--case-angle", "60", "--fov", "70", "--camera-lift", "20", "-o",
        Path("one.tem")});
    Ok({"new", "--type", "cdcase", "--case-angle", "60", "--fov", "70", "--camera-lift", "20", "-o",
        Path("two.tem")});
    const CliResult inspected = Ok({"inspect", Path("one.tem")});
    EXPECT_TRUE(IsJson(inspected.out)) << inspected.out;
    EXPECT_NE(inspected.out.find("\"format\": \"template\""), std::string::npos);
    EXPECT_NE(inspected.out.find("\"id\": \"cdcase\""), std::string::npos);
    EXPECT_EQ(inspected.out.find("\"images\""), std::string::npos) << "a template holds no images";

    const CliResult one = Ok({"state", Path("one.tem")});
    EXPECT_TRUE(IsJson(one.out)) << one.out;
    EXPECT_EQ(one.out, Ok({"state", Path("two.tem")}).out);
    for (const char* expected :
         {"\"id\": \"cdcase\"", "\"caseAngleSB\": 60", "\"ScrollBar11\": 70", "\"liftSB\": 20"})
        EXPECT_NE(one.out.find(expected), std::string::npos) << expected << "\n" << one.out;

    // A project rendered alone and with the template on top.
    const std::string front = Picture("front.png", 220, 180, 20);
    Ok({"new", "--type", "stdbox", "--image1", front, "-o", Path("p.eco")});
    Ok(Args({"render", Path("p.eco"), "-o", Path("plain.png")}, kSmall));
    Ok(Args({"render", Path("p.eco"), "--template", Path("one.tem"), "-o", Path("templated.png")},
            kSmall));
    Ok(Args({"render", "--type", "cdcase", "--template", Path("one.tem"), "-o", Path("case.png")},
            kSmall));
    EXPECT_FALSE(
        CompareImages(ReadPng(Path("plain.png")), ReadPng(Path("templated.png"))).Matches());
    // The template sets the cover type, so only the images differ from
    // drawing the case with placeholders.
    EXPECT_EQ(ReadPng(Path("templated.png")).width, 64);
}

}  // namespace
}  // namespace tessaly::test
