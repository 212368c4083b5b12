// ProjectFixture: a program folder of its own (the built models and
// placeholders linked in, the shipped start project and reset template
// copied), headless MainStates started in it, a port that records status
// keys and answers file dialogs, and a snapshot of everything a project or
// template restores, for comparing states.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/MainState.h"
#include "support/RecordingPort.h"
#include "support/TestPaths.h"

namespace tessaly::test {

class ProjectPort : public RecordingPort {
  public:
    void ShowStatus(int panel, const std::string& text, const std::string& key) override {
        statusKeys.push_back(key);
        SetStatusText(panel, text);
    }
    std::optional<std::string> ChooseFileName(const std::string& dialog) override {
        fileDialogs.push_back(dialog);
        if (fileAnswers.empty()) return std::nullopt;
        auto a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override {
        inGroup.push_back(groupDepth > 0);
        return RecordingPort::ShowMessage(kind, text, caption, buttons, key);
    }
    void BeginMessageGroup() override {
        if (groupDepth++ == 0) ++groups;
    }
    void EndMessageGroup() override { --groupDepth; }
    void Clear() {
        inGroup.clear();
        groups = 0;
        messages.clear();
        status.clear();
        statusKeys.clear();
    }
    std::vector<std::string> statusKeys;
    // For each message, whether it came inside a message group; the number
    // of outermost groups opened.
    std::vector<bool> inGroup;
    int groupDepth = 0;
    int groups = 0;
    std::vector<std::string> fileDialogs;
    std::deque<std::optional<std::string>> fileAnswers;
};

class ProjectTest : public ::testing::Test {
  protected:
    ProjectTest();
    ~ProjectTest() override;

    // A started state in the program folder: rendering set up at w x h,
    // rendering enabled, the first entry selected.
    std::unique_ptr<MainState> Start(ProjectPort& port, int w = 160, int h = 120);
    void Select(MainState& state, const std::string& id);

    std::string Folder() const { return program_.Path().string() + "/"; }
    std::filesystem::path Path(const std::string& name) const { return program_ / name; }

    TempDir program_;
    ProjectPort port;
};

// Everything a project restores: entry and type, cover parameters, every
// scroll bar, check box and colour swatch, the scene settings, floor, light
// and the image paths (relative to the program folder).
std::map<std::string, std::string> Snapshot(MainState& state);

// Differences between two snapshots, one per line ("" when equal).
std::string SnapshotDiff(const std::map<std::string, std::string>& a,
                         const std::map<std::string, std::string>& b);

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);
// Writes a small JPEG picture of one colour.
void WriteJpegPicture(const std::filesystem::path& path, std::uint8_t r, std::uint8_t g,
                      std::uint8_t b, int w = 32, int h = 32);

}  // namespace tessaly::test
