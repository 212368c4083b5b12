// tessaly-cli speaks the language its settings name, as the window does:
// errors on stderr and the texts in "state" are the language file's words,
// with the keys kept beside them in the JSON. Also its --version, and the
// thumbnail verb the desktop's thumbnailer entry runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "CliRunner.h"
#include "support/TestPaths.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

// The width and height a PNG file's header gives; 0 x 0 for anything else.
std::pair<int, int> PngSize(const fs::path& file) {
    const std::string b = ReadFileText(file);
    if (b.size() < 24 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto at = [&b](std::size_t i) {
        return (int(std::uint8_t(b[i])) << 24) | (int(std::uint8_t(b[i + 1])) << 16) |
               (int(std::uint8_t(b[i + 2])) << 8) | int(std::uint8_t(b[i + 3]));
    };
    return {at(16), at(20)};
}

// TESSALY_PROGRAM_FOLDER for the children started while it lives.
class ProgramFolderVariable {
  public:
    explicit ProgramFolderVariable(const fs::path& folder) {
        if (const char* v = std::getenv("TESSALY_PROGRAM_FOLDER")) saved_ = v;
        setenv("TESSALY_PROGRAM_FOLDER", folder.c_str(), 1);
    }
    ~ProgramFolderVariable() {
        saved_ ? setenv("TESSALY_PROGRAM_FOLDER", saved_->c_str(), 1)
               : unsetenv("TESSALY_PROGRAM_FOLDER");
    }

  private:
    std::optional<std::string> saved_;
};

// A program folder of its own: the build's shipped files linked in and
// settings naming `language`.
fs::path ProgramFolderSpeaking(const fs::path& root, const std::string& language) {
    const fs::path folder = root / "program";
    fs::create_directories(folder);
    for (const char* name : {"Tsym", "Data", "Languages", "Help", "_incov", "_resettem"})
        fs::create_symlink(ProgramDir() / name, folder / name);
    std::ofstream(folder / "settings.ini", std::ios::binary)
        << "[DefaultEditor]\r\nPBRUSH\r\n[Language]\r\n"
        << language << "\r\n";
    return folder;
}

class CliWords : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, dir.Path()); }
    std::string Path(const std::string& name) { return (dir / name).string(); }
    TempDir dir;
};

TEST_F(CliWords, MessagesAndStateShowTextsInTheLanguageOfTheSettings) {
    std::ofstream(dir / "junk.eco") << "not a project";
    ASSERT_EQ(Run({"new", "--type", "stdbox", "-o", Path("p.eco")}).exitCode, 0);
    struct Case {
        std::string language, notValid, reading;
    };
    const Case cases[] = {
        {"English.ini", "This file is not a valid eCover project.", "Reading the eCover file"},
        {"German.ini", "Diese Datei ist kein gültiges eCover-Projekt.",
         "eCover-Datei wird gelesen"},
        // A language that is not there: English.
        {"Klingon.ini", "This file is not a valid eCover project.", "Reading the eCover file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        TempDir root;
        ProgramFolderVariable program(ProgramFolderSpeaking(root.Path(), c.language));
        const CliResult refused = Run({"render", Path("junk.eco"), "-o", Path("x.png")});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find(c.notValid), std::string::npos) << refused.err;
        EXPECT_EQ(refused.err.find("notvalidcover"), std::string::npos) << refused.err;

        const CliResult state = Run({"state", Path("junk.eco")});
        EXPECT_NE(state.out.find("\"key\": \"notvalidcover\""), std::string::npos) << state.out;
        EXPECT_NE(state.out.find(c.notValid), std::string::npos) << state.out;
        const CliResult opened = Run({"state", Path("p.eco")});
        EXPECT_EQ(opened.exitCode, 0) << opened.err;
        EXPECT_NE(opened.out.find("\"key\": \"rngfl\""), std::string::npos);
        EXPECT_NE(opened.out.find(c.reading), std::string::npos) << opened.out;
    }
}

TEST_F(CliWords, VersionNamesTheProgram) {
    const CliResult r = Run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("tessaly-cli ", 0), 0u) << r.out;
    EXPECT_NE(Run({"--help"}).out.find("thumbnail"), std::string::npos);
}

TEST_F(CliWords, ThumbnailsAreSquarePngsOfProjectsAndTemplatesByContent) {
    ASSERT_EQ(Run({"new", "--type", "flatbook", "-o", Path("book.eco")}).exitCode, 0);
    ASSERT_EQ(Run({"new", "--type", "cdcase", "-o", Path("case.tem")}).exitCode, 0);
    fs::copy_file(dir / "book.eco", dir / "renamed");
    for (const char* input : {"book.eco", "case.tem", "renamed"}) {
        SCOPED_TRACE(input);
        const fs::path out = dir / (std::string(input) + ".thumb");  // any name: PNG inside
        const CliResult r = Run({"thumbnail", "--size", "64", Path(input), out.string()});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(PngSize(out), std::make_pair(64, 64));
    }

    // Anything else fails cleanly with nothing written; a wrong command line
    // is a usage error.
    std::ofstream(dir / "junk.eco") << "tsy";
    std::ofstream(dir / "fake.eco", std::ios::binary) << "tsyc\x01";  // a project cut short
    for (const char* input : {"junk.eco", "missing.eco", "fake.eco"}) {
        SCOPED_TRACE(input);
        const CliResult r = Run({"thumbnail", Path(input), Path("t.png")});
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_FALSE(fs::exists(dir / "t.png"));
    }
    EXPECT_EQ(Run({"thumbnail", "--size", "9", Path("book.eco"), Path("t.png")}).exitCode, 2);
    EXPECT_EQ(Run({"thumbnail", Path("book.eco")}).exitCode, 2);
}

}  // namespace
}  // namespace tessaly::test
