// A MainState over a temporary program folder with a settings file and a
// "Languages" folder the tests fill, and a port that records messages and
// answers file dialogs from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/MainState.h"
#include "support/NoGLContext.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {

class FilePort : public RecordingPort {
  public:
    std::optional<std::string> ChooseFileName(const std::string& dialog) override {
        dialogs.push_back(dialog);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::vector<std::string> dialogs;
    std::deque<std::optional<std::string>> files;
};

// The shipped layout of "settings.ini", with CR LF line ends.
inline std::string SettingsText(const std::string& editor = "PBRUSH",
                                const std::string& openPic = "on",
                                const std::string& updateCheck = "on",
                                const std::string& capture = "view",
                                const std::string& depth = "24",
                                const std::string& language = "English.ini",
                                const std::string& warning = "on") {
    std::string text;
    const std::pair<const char*, std::string> lines[] = {
        {"[DefaultEditor]", editor}, {"[OpenPic]", openPic}, {"[UpdateCheck]", updateCheck},
        {"[capture]", capture},      {"[CDepth]", depth},    {"[Language]", language},
        {"[dWarning]", warning},     {"[frms]", "20"}};
    for (const auto& [key, value] : lines) text += std::string(key) + "\r\n" + value + "\r\n";
    return text;
}

class LanguageTest : public ::testing::Test {
  protected:
    LanguageTest() : state(dir.Path().string() + "/", port, std::make_unique<NoGLContext>()) {
        std::filesystem::create_directories(dir / "Languages");
        Write("settings.ini", SettingsText());
        state.Session.Settings.Load(dir / "settings.ini");
        // Two cover types whose names the language files translate.
        Catalogue& c = state.Session.Catalogue;
        c.Item(1).Id = "stdbox";
        c.Item(2).Id = "flatbook";
        c.Count = 2;
        state.Cover.Entry = 2;
    }
    using Catalogue = ModelCatalogue;

    void Write(const std::string& relative, const std::string& text) {
        std::ofstream(dir / relative, std::ios::binary) << text;
    }
    std::string Read(const std::string& relative) {
        std::ifstream in(dir / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The value stored for `key` in the settings file on disk.
    std::string Stored(const std::string& key) {
        TSettingsFile file;
        file.Load(dir / "settings.ini");
        return file.ReadValue(key);
    }
    // A language file with one caption and the two cover type names.
    void WriteLanguage(const std::string& file, const std::string& word) {
        Write("Languages/" + file, "[Translations]\r\noForm.Caption=" + word +
                                       " options\r\n[Messages]\r\nstdbox=" + word +
                                       " box\r\nflatbook=" + word + " book\r\ncclf=" + word +
                                       " file missing: \r\nwline1=" + word + " one\r\n");
    }

    TempDir dir;
    FilePort port;
    MainState state;
};

}  // namespace tessaly::test
