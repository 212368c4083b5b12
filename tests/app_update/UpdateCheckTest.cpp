// The update check against a small HTTP server on the loopback interface:
// the first run, equal and changed markers, an unreachable server, error
// pages, slow and oversized answers, the option cleared before the download,
// and the worker thread going away with its host.
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include "app/update/HttpDownload.h"
#include "app/update/UpdateCheck.h"
#include "core/web/SiteAddresses.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::LocalHttpServer;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Records what the check shows; answers CheckAllowed from `allowed`.
class RecordingUi : public UpdateCheckUi {
  public:
    bool CheckAllowed() override {
        std::lock_guard lock(mutex);
        if (onAllowed) onAllowed();
        return allowed;
    }
    std::string Text(const std::string& key) override { return "<" + key + ">"; }
    void SetStatus(const std::string& text, const std::string& key) override {
        std::lock_guard lock(mutex);
        status.push_back(text);
    }
    void ShowPanel(UpdatePanel panel) override {
        std::lock_guard lock(mutex);
        panels.push_back(panel);
    }
    void ShowMessage(const std::string& text, const std::string& key) override {
        std::lock_guard lock(mutex);
        messages.push_back(key);
    }

    std::mutex mutex;
    bool allowed = true;
    std::function<void()> onAllowed;
    std::vector<std::string> status;
    std::vector<UpdatePanel> panels;
    std::vector<std::string> messages;
};

class UpdateCheckTest : public ::testing::Test {
  protected:
    UpdateCheckTest() {
        config.MarkerFile = dir / "updts";
        config.Url = SiteAddress(server.Base(), kUpdateFilePath);
    }
    UpdateCheckOutcome Run() { return ExecuteUpdateCheck(config, ui, cancel); }
    void Reply(std::string body, int status = 200, std::chrono::milliseconds delay = 0ms) {
        server.SetReply({status, std::move(body), delay});
    }

    test::TempDir dir;
    LocalHttpServer server;
    UpdateCheckConfig config;
    RecordingUi ui;
    std::atomic<bool> cancel{false};
};

const std::vector<UpdatePanel> kBothPanels = {UpdatePanel::Templates, UpdatePanel::Tutorials};

TEST_F(UpdateCheckTest, FirstRunCreatesTheMarkerFileAndShowsBothPanels) {
    Reply("5\n9\n");
    // Before the download, "updts" already holds the first run's markers.
    std::string beforeDownload;
    ui.onAllowed = [&] { beforeDownload = FileText(config.MarkerFile); };

    EXPECT_EQ(Run(), UpdateCheckOutcome::Compared);
    EXPECT_EQ(beforeDownload, "0\n0\n");
    EXPECT_EQ(server.LastPath(), "/tessaly/updates.txt");
    EXPECT_EQ(ui.panels, kBothPanels);
    EXPECT_EQ(ui.status,
              (std::vector<std::string>{"Checking for updates...", "<updtsav>", "<tutav>"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n") << "the fetched file is kept for next time";
}

TEST_F(UpdateCheckTest, EqualMarkersShowNoPanelAndTheNoTutorialsText) {
    std::ofstream(config.MarkerFile) << "5\r\n9\r\n";
    Reply("5\n9\n");
    EXPECT_EQ(Run(), UpdateCheckOutcome::Compared);
    EXPECT_TRUE(ui.panels.empty());
    ASSERT_FALSE(ui.status.empty());
    EXPECT_EQ(ui.status.back(), "<ntutav>") << "the tutorials text is the one left standing";
    EXPECT_EQ(ui.status,
              (std::vector<std::string>{"Checking for updates...", "<nupdtsav>", "<ntutav>"}));
}

TEST_F(UpdateCheckTest, EachLineIsComparedOnItsOwnAndMissingLinesCountAsOne) {
    std::ofstream(config.MarkerFile) << "5\n9\n";
    Reply("5\n10\n");
    EXPECT_EQ(Run(), UpdateCheckOutcome::Compared);
    EXPECT_EQ(ui.panels, std::vector<UpdatePanel>{UpdatePanel::Tutorials});

    // A one-line answer: the tutorials marker counts as "1".
    ui.panels.clear();
    std::ofstream(config.MarkerFile) << "5\n1\n";
    Reply("6");
    EXPECT_EQ(Run(), UpdateCheckOutcome::Compared);
    EXPECT_EQ(ui.panels, std::vector<UpdatePanel>{UpdatePanel::Templates});
}

TEST_F(UpdateCheckTest, AnUnreachableServerShowsTheFailureAndKeepsTheMarkers) {
    std::ofstream(config.MarkerFile) << "5\n9\n";
    config.Url = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/x.txt";
    EXPECT_EQ(Run(), UpdateCheckOutcome::DownloadFailed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"ccfuptds"});
    EXPECT_TRUE(ui.panels.empty());
    EXPECT_EQ(ui.status, std::vector<std::string>{"Checking for updates..."});
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n");
}

TEST_F(UpdateCheckTest, AnErrorPageIsNotTakenForTheUpdateFile) {
    std::ofstream(config.MarkerFile) << "5\n9\n";
    Reply("<html>not here</html>\n", 404);
    EXPECT_EQ(Run(), UpdateCheckOutcome::DownloadFailed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"ccfuptds"});
    EXPECT_TRUE(ui.panels.empty());
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n");
}

TEST_F(UpdateCheckTest, SlowAndOversizedAnswersAreCutOffAndLeaveNoHalfFile) {
    std::ofstream(config.MarkerFile) << "5\n9\n";
    config.Limits.Timeout = 300ms;
    Reply("6\n10\n", 200, 5s);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(), UpdateCheckOutcome::DownloadFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s) << "not waited for the slow server";
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n");

    config.Limits.Timeout = 10s;
    Reply(std::string(100 * 1024, 'x'));
    EXPECT_EQ(Run(), UpdateCheckOutcome::DownloadFailed);
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"ccfuptds", "ccfuptds"}));
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "updts") << "temporary file left behind";
}

TEST_F(UpdateCheckTest, ClearingTheOptionBeforeTheDownloadStopsTheCheck) {
    Reply("5\n9\n");
    ui.allowed = false;
    EXPECT_EQ(Run(), UpdateCheckOutcome::NotAllowed);
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_TRUE(ui.panels.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.status, std::vector<std::string>{"Checking for updates..."});
}

TEST_F(UpdateCheckTest, AnUnwritableProgramFolderEndsTheCheckSilently) {
    config.MarkerFile = dir / "missing" / "updts";
    Reply("5\n9\n");
    EXPECT_EQ(Run(), UpdateCheckOutcome::MarkerFileError);
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UpdateCheckTest, TheThreadRunsBesideTheCallerAndStopsWhenItsHostGoes) {
    Reply("5\n9\n");
    {
        CheckThread thread(config, ui);
        for (int i = 0; i < 1000 && !thread.Finished(); ++i) std::this_thread::sleep_for(10ms);
        ASSERT_TRUE(thread.Finished());
        EXPECT_EQ(thread.Outcome(), UpdateCheckOutcome::Compared);
        EXPECT_EQ(ui.panels, kBothPanels);
    }
    // A host closing during a slow transfer does not wait for the server.
    ui.panels.clear();
    Reply("6\n10\n", 200, 5s);
    const auto start = std::chrono::steady_clock::now();
    {
        CheckThread thread(config, ui);
        for (int i = 0; i < 500 && server.Requests() < 2; ++i) std::this_thread::sleep_for(10ms);
        EXPECT_EQ(server.Requests(), 2);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    EXPECT_TRUE(ui.panels.empty());
    EXPECT_TRUE(ui.messages.empty()) << "a cancelled check shows nothing";
    EXPECT_EQ(FileText(config.MarkerFile), "5\n9\n");
}

TEST(HttpDownload, ResultsAndTheTargetOnlyReplacedWhenComplete) {
    test::TempDir dir;
    LocalHttpServer server;
    const auto target = dir / "file";
    std::ofstream(target) << "old";
    const std::string url = server.Base() + "/f";
    DownloadLimits limits;
    limits.MaxBytes = 16;

    server.SetReply({200, "exactly sixteen!", 0ms});
    EXPECT_EQ(DownloadFile(url, target, limits, "test"), DownloadResult::Ok);
    EXPECT_EQ(FileText(target), "exactly sixteen!");

    std::ofstream(target) << "old";
    server.SetReply({200, "seventeen bytes!!", 0ms});
    EXPECT_EQ(DownloadFile(url, target, limits, "test"), DownloadResult::TooLarge);
    server.SetReply({500, "", 0ms});
    std::string why;
    EXPECT_EQ(DownloadFile(url, target, limits, "test", nullptr, &why), DownloadResult::Failed);
    EXPECT_FALSE(why.empty());
    limits.Timeout = 200ms;
    server.SetReply({200, "late", 2s});
    EXPECT_EQ(DownloadFile(url, target, limits, "test"), DownloadResult::TimedOut);
    EXPECT_EQ(FileText(target), "old");

    server.SetReply({200, "new", 0ms});
    limits.Timeout = 10s;
    EXPECT_EQ(DownloadFile(url, dir / "no" / "file", limits, "test"), DownloadResult::WriteFailed);
    EXPECT_EQ(DownloadFile("file:///etc/passwd", target, limits, "test"), DownloadResult::Failed)
        << "only http and https";
    EXPECT_EQ(FileText(target), "old");
}

}  // namespace
}  // namespace tessaly
