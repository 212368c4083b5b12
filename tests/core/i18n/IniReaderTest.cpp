#include "core/i18n/IniReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Read(std::string_view text, std::string_view section,
                                std::string_view key) {
    return ReadIniValueFromText(text, section, key);
}

TEST(IniReader, NamesMatchWithoutCaseAndWhitespaceIsTrimmed) {
    const std::string text =
        "[Translations]\n"
        "mForm.Label74.Caption=Size\n"
        "  [MESSAGES]  \n"
        "\tDone   =   Finished here  \t\n"
        "empty=\n"
        "formula = a=b\n";
    EXPECT_EQ(Read(text, "Translations", "MFORM.label74.caption"), "Size");
    EXPECT_EQ(Read(text, "messages", "done"), "Finished here");
    EXPECT_EQ(Read(text, " Messages ", " DONE "), "Finished here");
    EXPECT_EQ(Read(text, "Messages", "empty"), "");
    EXPECT_EQ(Read(text, "Messages", "formula"), "a=b");
}

TEST(IniReader, MissingSectionOrKeyIsNotFound) {
    const std::string text =
        "orphan=before any section\n"
        "[Messages]\n"
        "; done=commented out\n"
        "no equals sign here\n"
        "[Translations\n"
        "cli=still in Messages\n"
        "[Other]\n"
        "done=in another section\n";
    EXPECT_EQ(Read(text, "Messages", "done"), std::nullopt);
    EXPECT_EQ(Read(text, "Messages", "orphan"), std::nullopt);
    EXPECT_EQ(Read(text, "Messages", "no equals sign here"), std::nullopt);
    EXPECT_EQ(Read(text, "Messages", "cli"), "still in Messages");
    EXPECT_EQ(Read(text, "Nowhere", "done"), std::nullopt);
    EXPECT_EQ(Read("", "Messages", "done"), std::nullopt);
}

TEST(IniReader, FirstSectionAndFirstKeyWin) {
    const std::string text =
        "[Messages]\n"
        "done=first\n"
        "DONE=second\n"
        "[messages]\n"
        "done=third\n"
        "cli=only in the repeated section\n";
    EXPECT_EQ(Read(text, "Messages", "done"), "first");
    EXPECT_EQ(Read(text, "Messages", "cli"), std::nullopt);
}

TEST(IniReader, BomCrLfAndQuotes) {
    const std::string text =
        "\xEF\xBB\xBF[Messages]\r\n"
        "quoted = \"  spaced  \"\r\n"
        "single='it'\r\n"
        "unmatched=\"open\r\n"
        "inner=say \"hi\"\r\n"
        "umlaut=Gr\xC3\xBC\xC3\x9F"
        "e\r\n";
    EXPECT_EQ(Read(text, "Messages", "quoted"), "  spaced  ");
    EXPECT_EQ(Read(text, "Messages", "single"), "it");
    EXPECT_EQ(Read(text, "Messages", "unmatched"), "\"open");
    EXPECT_EQ(Read(text, "Messages", "inner"), "say \"hi\"");
    EXPECT_EQ(Read(text, "Messages", "umlaut"),
              "Gr\xC3\xBC\xC3\x9F"
              "e");
}

TEST(IniReader, LongValuesAreCutWithoutSplittingACharacter) {
    const std::string ascii(3000, 'x');
    EXPECT_EQ(Read("[S]\nk=" + ascii, "S", "k"), ascii.substr(0, kIniMaxValueBytes));
    const std::string exact(kIniMaxValueBytes, 'y');
    EXPECT_EQ(Read("[S]\nk=" + exact + "\n", "S", "k"), exact);

    // A two-byte character at bytes 2046-2047 would be split by the cut.
    const std::string twoByte = std::string(2046, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(Read("[S]\nk=" + twoByte, "S", "k"), std::string(2046, 'a'));
    // A three-byte character at bytes 2045-2047 likewise.
    const std::string threeByte = std::string(2045, 'a') + "\xE2\x82\xAC" + "tail";
    EXPECT_EQ(Read("[S]\nk=" + threeByte, "S", "k"), std::string(2045, 'a'));
    // One that ends exactly at the limit is kept.
    const std::string fits = std::string(2045, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(Read("[S]\nk=" + fits, "S", "k"), std::string(2045, 'a') + "\xC3\xA9");
}

TEST(IniReader, ReadsTheFileAsItIsAtEachCall) {
    test::TempDir dir;
    const fs::path file = dir / "English.ini";
    EXPECT_EQ(ReadIniValue(file, "Messages", "done"), std::nullopt);
    EXPECT_EQ(ReadIniString(file, "Messages", "done", "fallback"), "fallback");

    std::ofstream(file, std::ios::binary) << "[Messages]\r\ndone=Done.\r\n";
    EXPECT_EQ(ReadIniValue(file, "Messages", "done"), "Done.");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "[Messages]\r\ndone=Ready.\r\n";
    EXPECT_EQ(ReadIniString(file, "Messages", "done", "fallback"), "Ready.");

    // A folder under the name reads as a missing file.
    fs::create_directory(dir / "Folder.ini");
    EXPECT_EQ(ReadIniValue(dir / "Folder.ini", "Messages", "done"), std::nullopt);
}

}  // namespace
}  // namespace tessaly
