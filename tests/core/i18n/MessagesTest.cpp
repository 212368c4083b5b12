#include "core/i18n/Messages.h"
#include "core/i18n/WindowTexts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

TEST(Messages, KeyItselfWhenFileSectionOrKeyIsMissing) {
    test::TempDir dir;
    const fs::path file = dir / "English.ini";
    EXPECT_EQ(GetMessage(file, "notvalidcover"), "notvalidcover");

    std::ofstream(file, std::ios::binary)
        << "[Translations]\r\ndone=not a message\r\n[Messages]\r\nnotvalidcover=Not a valid "
           "eCover file.\r\ncli=\r\n";
    EXPECT_EQ(GetMessage(file, "NotValidCover"), "Not a valid eCover file.");
    EXPECT_EQ(GetMessage(file, "done"), "done");  // only the "Messages" section counts
    EXPECT_EQ(GetMessage(file, "cli"), "");       // present but empty is still present
    EXPECT_EQ(GetMessage(file, "stdbox"), "stdbox");

    std::ofstream(file, std::ios::binary | std::ios::trunc) << "[Other]\r\nstdbox=Box\r\n";
    EXPECT_EQ(GetMessage(file, "stdbox"), "stdbox");
}

TEST(Messages, ALanguageLackingAMessageBorrowsTheEnglishOne) {
    test::TempDir dir;
    std::ofstream(dir / "English.ini", std::ios::binary)
        << "[Messages]\r\nnotvalidcover=Not a valid eCover file.\r\ndone=Done\r\n";
    std::ofstream(dir / "German.ini", std::ios::binary) << "[Messages]\r\ndone=Fertig\r\n";
    EXPECT_EQ(GetMessage(dir / "German.ini", "done"), "Fertig");
    EXPECT_EQ(GetMessage(dir / "German.ini", "notvalidcover"), "Not a valid eCover file.");
    EXPECT_EQ(GetMessage(dir / "German.ini", "cli"), "cli");  // in neither: the key
    // A language file that is missing altogether shows bare keys.
    EXPECT_EQ(GetMessage(dir / "Missing.ini", "notvalidcover"), "notvalidcover");
}

TEST(Messages, ConcurrentCallsWhileTheFileIsReplaced) {
    test::TempDir dir;
    const fs::path file = dir / "English.ini";
    const std::string first = "[Messages]\r\nupdtsav=New templates are available.\r\n";
    const std::string second = "[Messages]\r\nupdtsav=Neue Vorlagen sind da.\r\n";
    auto writeText = [&](const std::string& text) {
        WriteFileAtomically(file, [&](std::ostream& out) { out << text; });
    };
    writeText(first);

    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            for (int i = 0; i < 300; ++i) {
                const std::string text = GetMessage(file, "updtsav");
                if (text != "New templates are available." && text != "Neue Vorlagen sind da.")
                    ++bad;
                if (GetMessage(file, "nupdtsav") != "nupdtsav") ++bad;
            }
        });
    }
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) writeText(i % 2 ? first : second);
    });
    for (auto& r : readers) r.join();
    stop = true;
    writer.join();
    EXPECT_EQ(bad, 0);
}

// The window's own texts: the language's text where it has one, English
// where it has none; the fixed status texts are recognised by their English.
TEST(Messages, WindowTextsFallBackToEnglish) {
    test::TempDir dir;
    const fs::path file = dir / "German.ini";
    std::ofstream(file, std::ios::binary) << "[Messages]\r\naaon=Kantenglättung an\r\nfpsec=\r\n";
    EXPECT_EQ(LocaliseFixedText(file, "Antialiasing on"), "Kantenglättung an");
    EXPECT_EQ(LocaliseFixedText(file, "Antialiasing off"), "Antialiasing off");
    EXPECT_EQ(LocaliseFixedText(file, "Loading..."), "Loading...");
    EXPECT_EQ(WindowTextOf(file, "fpsec"), "frames a second");  // empty counts as missing
    EXPECT_EQ(WindowTextOf(dir / "none.ini", "credits"), "Credits");
    EXPECT_EQ(WindowTextOf(file, "sceco"), "");  // not a window text
}

}  // namespace
}  // namespace tessaly
