#include "app/update/UpdateCheck.h"

#include "core/update/UpdateMarkers.h"

namespace tessaly {

UpdateCheckOutcome ExecuteUpdateCheck(const UpdateCheckConfig& config, UpdateCheckUi& ui,
                                      const std::atomic<bool>& cancel) {
    ui.SetStatus(std::string(kCheckingForUpdates), {});

    // A first run compares against "0" and "0".
    const UpdateMarkers initial{"0", "0"};
    std::error_code ec;
    if (!std::filesystem::exists(config.MarkerFile, ec)) {
        try {
            WriteUpdateMarkers(config.MarkerFile, initial);
        } catch (const std::exception&) {
            return UpdateCheckOutcome::MarkerFileError;
        }
    }
    const UpdateMarkers before = ReadUpdateMarkers(config.MarkerFile, initial);

    if (cancel) return UpdateCheckOutcome::Cancelled;
    if (!ui.CheckAllowed()) return UpdateCheckOutcome::NotAllowed;
    if (cancel) return UpdateCheckOutcome::Cancelled;

    const DownloadResult result =
        DownloadFile(config.Url, config.MarkerFile, config.Limits, config.UserAgent, &cancel);
    if (cancel || result == DownloadResult::Cancelled) return UpdateCheckOutcome::Cancelled;
    if (result != DownloadResult::Ok) {
        ui.ShowMessage(ui.Text("ccfuptds"), "ccfuptds");
        return UpdateCheckOutcome::DownloadFailed;
    }

    // Lines the fetched file lacks count as "1", so that they differ from a
    // first run's "0".
    const UpdateMarkers after = ReadUpdateMarkers(config.MarkerFile, {"1", "1"});
    const UpdateNews news = CompareUpdateMarkers(before, after);
    if (news.Templates) {
        ui.ShowPanel(UpdatePanel::Templates);
        ui.SetStatus(ui.Text("updtsav"), "updtsav");
    } else {
        ui.SetStatus(ui.Text("nupdtsav"), "nupdtsav");
    }
    if (news.Tutorials) {
        ui.ShowPanel(UpdatePanel::Tutorials);
        ui.SetStatus(ui.Text("tutav"), "tutav");
    } else {
        ui.SetStatus(ui.Text("ntutav"), "ntutav");
    }
    return UpdateCheckOutcome::Compared;
}

CheckThread::CheckThread(UpdateCheckConfig config, UpdateCheckUi& ui)
    : config_(std::move(config)), ui_(ui) {
    InitNetwork();
    thread_ = std::thread([this] {
        try {
            outcome_ = ExecuteUpdateCheck(config_, ui_, cancel_);
        } catch (const std::exception&) {
            // Nothing is shown for a check that could not run (a file error).
            outcome_ = UpdateCheckOutcome::MarkerFileError;
        }
        finished_ = true;
    });
}

CheckThread::~CheckThread() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace tessaly
