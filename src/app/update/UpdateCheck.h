// UpdateCheck: the background check for new templates and tutorials. A
// worker thread, CheckThread, fetches the maker's two-line update file,
// compares it with the copy fetched last time ("updts" beside the program)
// and asks the window to show the matching notification panels.
//
// The worker never touches the window itself: everything it shows or asks
// goes through UpdateCheckUi, whose host runs each call on its main thread
// and waits for it. A host that is going away sets the cancel flag; the
// worker then stops at its next step and the host's calls return at once.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "app/update/HttpDownload.h"

namespace tessaly {

enum class UpdatePanel { Templates, Tutorials };

// What the check does to the window. Called on the worker thread.
class UpdateCheckUi {
  public:
    virtual ~UpdateCheckUi() = default;
    // Whether the options still allow the check (the user may have cleared
    // the box since the check was started).
    virtual bool CheckAllowed() = 0;
    // The text of a message key in the current language.
    virtual std::string Text(const std::string& key) = 0;
    // The first status bar panel; `key` is empty for fixed texts.
    virtual void SetStatus(const std::string& text, const std::string& key) = 0;
    virtual void ShowPanel(UpdatePanel panel) = 0;
    // A plain message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& key) = 0;
};

struct UpdateCheckConfig {
    // The local copy ("updts"; FileLocations::UpdateMarkers says where).
    std::filesystem::path MarkerFile;
    // The remote file, the site's "/tessaly/updates.txt".
    std::string Url;
    DownloadLimits Limits;
    std::string UserAgent = "tessaly";
};

// The fixed English status text shown while the check runs.
inline constexpr std::string_view kCheckingForUpdates = "Checking for updates...";

enum class UpdateCheckOutcome {
    NotAllowed,       // the option was cleared before the download
    MarkerFileError,  // "updts" could not be made; nothing shown
    DownloadFailed,   // "ccfuptds" shown, "updts" unchanged
    Cancelled,        // the host went away
    Compared,         // the markers were compared and the results shown
};

// The whole check, run on the calling thread.
UpdateCheckOutcome ExecuteUpdateCheck(const UpdateCheckConfig& config, UpdateCheckUi& ui,
                                      const std::atomic<bool>& cancel);

// The check on a thread of its own, started at construction. The destructor
// cancels a check still running and waits for it (a transfer notices the
// cancel flag within a fraction of a second).
class CheckThread {
  public:
    CheckThread(UpdateCheckConfig config, UpdateCheckUi& ui);
    ~CheckThread();
    CheckThread(const CheckThread&) = delete;
    CheckThread& operator=(const CheckThread&) = delete;

    void Cancel() { cancel_ = true; }
    bool Cancelled() const { return cancel_; }
    const std::atomic<bool>& CancelFlag() const { return cancel_; }
    bool Finished() const { return finished_; }
    // Valid once Finished().
    UpdateCheckOutcome Outcome() const { return outcome_; }

  private:
    UpdateCheckConfig config_;
    UpdateCheckUi& ui_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::atomic<UpdateCheckOutcome> outcome_{UpdateCheckOutcome::Cancelled};
    std::thread thread_;
};

}  // namespace tessaly
