// ProjectSession: what the project verbs share. A headless MainState started
// as the program starts (rendering set up, first entry built), with its
// images folder in a temporary folder removed at the end, so the tool never
// writes into the program folder; a port that records every message and
// status text with its language key (and prints messages to stderr); and
// opening a ".eco" or ".tem" file named on the command line.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "core/ui/UserPort.h"

namespace tessaly::cli {

struct ShownText {
    std::string kind;  // "error", "information", "warning", "confirmation", "plain", "status"
    std::string key;
    std::string text;
};

class CliPort : public QuietPort {
  public:
    CliPort() : QuietPort(true) {}
    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override;
    void ShowStatus(int panel, const std::string& text, const std::string& key) override;
    void SetStatusText(int panel, const std::string& text) override;
    std::vector<ShownText> Messages;
    std::vector<ShownText> Status;
    bool ErrorShown = false;
};

// A temporary folder, removed with everything in it when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }  // ends in "/"

  private:
    std::string path_;
};

struct ProjectSession {
    // Starts the state; throws std::runtime_error when no context or no
    // catalogue can be had.
    ProjectSession(int width = 800, int height = 600, const std::string& logPath = {});
    CliPort Port;
    TempFolder Images;
    std::unique_ptr<MainState> State;

    // Opens a project (".eco") or a template (".tem", then the cover is
    // rebuilt); false when the reader failed. Other extensions are a usage
    // error.
    bool Open(const std::string& path);
};

enum class CoverFileType { Project, Template, Other };
CoverFileType CoverFileTypeOf(const std::string& path);

}  // namespace tessaly::cli
