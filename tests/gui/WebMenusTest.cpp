// The Help menu, the about box and its credits, the e-mail commands and the
// update check as the window runs them: what is handed to the desktop, the
// panels the check brings up through the window's thread, and a window that
// keeps running while the check waits for a slow server.
#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "GuiTestApp.h"
#include "app/update/UpdateCheck.h"
#include "app/web/Site.h"
#include "core/mail/MailLinks.h"
#include "core/web/SiteAddresses.h"
#include "gui/AboutDialog.h"
#include "gui/CreditsDialog.h"
#include "gui/HelpWindow.h"
#include "gui/UpdatePanels.h"
#include "gui/WebMenus.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::LocalHttpServer;
using test::WaitFor;

class WebMenusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TESSALY_SITE_URL", "http://site.test/", 1);
        window = test::MakeWindow();
        QtUserPort& port = window->Port();
        port.OpenAnswer = [this](const std::string& target) {
            opened.push_back(target);
            return true;
        };
        port.Answer = [this](const std::string& key, const std::string& text, MessageButtons) {
            keys.push_back(key);
            texts.push_back(text);
            return MessageAnswer::Ok;
        };
        port.DocumentsAnswer = [this] { return std::optional<std::string>(dir.Path().string()); };
    }
    void TearDown() override {
        window.reset();
        unsetenv("TESSALY_SITE_URL");
    }
    void Trigger(const char* action) {
        QAction* a = window->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action;
        EXPECT_TRUE(a->isEnabled()) << action;
        a->trigger();
    }
    // Closes the next modal window once it is up.
    void CloseNextModal(std::function<void(QWidget*)> look = {}) {
        QTimer::singleShot(50, [look] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (look) look(modal);
            modal->close();
        });
    }

    test::TempDir dir;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> opened;
    std::vector<std::string> keys;
    std::vector<std::string> texts;
};

TEST_F(WebMenusTest, HelpTopicsOpensTheManualBesideTheProgramWithItsPictures) {
    Trigger("HelpTopics1");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], window->ProgramFolder() + "Help/index.html");
    EXPECT_TRUE(fs::is_regular_file(opened[0]));
    // Every picture the manual shows lies beside it.
    std::ifstream in(opened[0]);
    const std::string html((std::istreambuf_iterator<char>(in)), {});
    int pictures = 0;
    for (std::size_t at = html.find("src=\""); at != std::string::npos;
         at = html.find("src=\"", at + 1)) {
        const std::size_t end = html.find('"', at + 5);
        const std::string name = html.substr(at + 5, end - at - 5);
        EXPECT_TRUE(fs::is_regular_file(window->ProgramFolder() + "Help/" + name)) << name;
        ++pictures;
    }
    EXPECT_GE(pictures, 5);
}

TEST_F(WebMenusTest, TheWebLinksOpenTheSitesPages) {
    Trigger("VisitHomepage1");
    Trigger("VisitFreeeCoverspage1");
    Trigger("VisitTutorialsPage1");
    EXPECT_EQ(opened, (std::vector<std::string>{"http://site.test/tessaly/",
                                                "http://site.test/tessaly/templates/",
                                                "http://site.test/tessaly/tutorials/"}));
}

// Without a browser the manual opens in the program's own help window.
TEST_F(WebMenusTest, HelpTopicsWithoutABrowserShowsTheManualInItsOwnWindow) {
    window->Port().OpenAnswer = [](const std::string&) { return false; };
    Trigger("HelpTopics1");
    EXPECT_TRUE(keys.empty());
    HelpWindow* help = window->Web().HelpForm();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->Browser()->source().toLocalFile().endsWith("Help/index.html"));
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    help->close();

    // The manual of the language in use, where it has an edition.
    std::string& language = window->State().Session.LanguageFile;
    language = window->ProgramFolder() + "Languages/German.ini";
    EXPECT_EQ(window->Web().HelpFile(), window->ProgramFolder() + "Help/index.de.html");
    language = window->ProgramFolder() + "Languages/Romanian.ini";
    EXPECT_EQ(window->Web().HelpFile(), window->ProgramFolder() + "Help/index.html");
}

TEST_F(WebMenusTest, TheAboutBoxShowsTheVersionsOpensItsAddressesAndTheCredits) {
    AboutDialog* about = window->Web().AboutForm();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->objectName(), "aboutForm");
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7",
                             "Label8", "BitBtn1", "Button3"})
        EXPECT_NE(about->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(about->Form().Label2->text(), "v5.0");
    EXPECT_TRUE(about->Form().VersionLabel->text().contains(QString::fromUtf8(
        ProgramVersion().data(), static_cast<qsizetype>(ProgramVersion().size()))));
    EXPECT_EQ(about->Form().Label7->text(), "http://site.test/tessaly/");
    EXPECT_EQ(about->Form().Label8->text(), "http://site.test/tessaly/support/");
    EXPECT_FALSE(about->Form().Label5->isHidden());

    QString shownTitle;
    CloseNextModal([&](QWidget* w) { shownTitle = w->objectName(); });
    Trigger("AboutTessaly1");
    EXPECT_EQ(shownTitle, "aboutForm");

    QTest::mouseClick(about->Form().Label8, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{"http://site.test/tessaly/support/"});

    CreditsDialog* credits = window->Web().CreditsForm();
    ASSERT_NE(credits, nullptr);
    EXPECT_EQ(credits->objectName(), "creditsForm");
    EXPECT_EQ(credits->Form().Label3->text(), "Credits");
    EXPECT_TRUE(credits->Form().NamesLabel->text().contains("libcurl"));
    QString credited;
    CloseNextModal([&](QWidget* w) { credited = w->objectName(); });
    about->Form().Button3->click();
    EXPECT_EQ(credited, "creditsForm");
}

TEST_F(WebMenusTest, MailCommandsWriteIntoTheDocumentsFolderAndOpenALink) {
    Trigger("SendeCoverbyemail1");
    const std::string eco = dir.Path().string() + "/eCover.eco";
    EXPECT_TRUE(fs::is_regular_file(eco));
    EXPECT_EQ(keys, std::vector<std::string>{"ecoversaved"});
    EXPECT_EQ(opened, std::vector<std::string>{MailtoUrl(MailItem::ECover, eco)});

    // The picture is a bitmap whatever file type the save dialog had last.
    window->Port().CaptureFilterIndex = 2;
    Trigger("SendImagebyemail1");
    const std::string shot = dir.Path().string() + "/Screenshot.bmp";
    std::ifstream in(shot, std::ios::binary);
    char magic[2] = {0, 0};
    in.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
    EXPECT_EQ(window->Port().CaptureFilterIndex, 2);
    EXPECT_EQ(keys.back(), "imagesavedir");
    EXPECT_EQ(texts.back(), window->Text("imagesavedir", "imagesavedir") + "\r\n" + shot);
    EXPECT_EQ(opened.back(), MailtoUrl(MailItem::Image, shot));

    // No documents folder: nothing written, no link.
    window->Port().DocumentsAnswer = [] { return std::optional<std::string>(); };
    opened.clear();
    Trigger("SendeCoverbyemail1");
    EXPECT_EQ(keys.back(), "mydocsnotfound");
    EXPECT_TRUE(opened.empty());
}

// A build that names no site: the links are off and Timer2 fetches nothing,
// so no failure box appears at every start.
TEST(WithoutASite, TheLinksAreOffAndNoCheckIsMade) {
    unsetenv("TESSALY_SITE_URL");
    if (HasSite()) GTEST_SKIP() << "this build names a site";
    auto window = test::MakeWindow();
    for (const char* name : {"VisitHomepage1", "VisitFreeeCoverspage1", "VisitTutorialsPage1"})
        EXPECT_FALSE(window->findChild<QAction*>(name)->isEnabled()) << name;
    EXPECT_TRUE(window->findChild<QAction*>("HelpTopics1")->isEnabled());
    // The about box has no Website and Support rows, captions included.
    AboutDialog* about = window->Web().AboutForm();
    for (QLabel* label :
         {about->Form().Label5, about->Form().Label6, about->Form().Label7, about->Form().Label8})
        EXPECT_TRUE(label->isHidden()) << label->objectName().toStdString();
    std::vector<std::string> keys;
    window->Port().Answer = [&keys](const std::string& key, const std::string&, MessageButtons) {
        keys.push_back(key);
        return MessageAnswer::Ok;
    };
    window->Updates().Allowed = [] { return true; };
    window->Updates().Timer2Timer();
    EXPECT_EQ(window->Updates().Thread(), nullptr);
    EXPECT_TRUE(keys.empty());
}

class UpdatePanelsTest : public WebMenusTest {
  protected:
    void SetUp() override {
        WebMenusTest::SetUp();
        UpdatePanels& u = window->Updates();
        u.Config.MarkerFile = dir / "updts";
        u.Config.Url = SiteAddress(server.Base(), kUpdateFilePath);
        u.Allowed = [this] { return allowed; };
    }
    bool Visible(QFrame* panel) { return panel->isVisibleTo(window->Panel()); }
    bool Finished() {
        CheckThread* t = window->Updates().Thread();
        return t && t->Finished();
    }

    LocalHttpServer server;
    bool allowed = true;
};

TEST_F(UpdatePanelsTest, AFirstRunBringsUpBothPanelsAndTheirButtonsAnswer) {
    server.SetReply({200, "5\n9\n", 0ms});
    UpdatePanels& u = window->Updates();
    EXPECT_FALSE(Visible(u.UPanel()));
    EXPECT_FALSE(Visible(u.UTPanel()));
    EXPECT_EQ(u.UPanel()->size(), QSize(242, 90));
    EXPECT_EQ(u.UTPanel()->size(), QSize(250, 90));

    u.Timer2Timer();
    ASSERT_TRUE(WaitFor([&] { return Finished(); }, 10000));
    EXPECT_EQ(u.Thread()->Outcome(), UpdateCheckOutcome::Compared);
    EXPECT_TRUE(Visible(u.UPanel()));
    EXPECT_TRUE(Visible(u.UTPanel()));
    EXPECT_EQ(window->StatusPanel(0)->text().toStdString(), window->Text("tutav", "tutav"));
    EXPECT_TRUE(keys.empty());

    u.UPanel()->findChild<QPushButton*>("BYes")->click();
    EXPECT_EQ(opened, std::vector<std::string>{"http://site.test/tessaly/templates/"});
    EXPECT_FALSE(Visible(u.UPanel()));
    EXPECT_TRUE(Visible(u.UTPanel())) << "the tutorials panel waits for its own answer";
    u.UTPanel()->findChild<QPushButton*>("BitBtn30")->click();
    EXPECT_FALSE(Visible(u.UTPanel()));
    EXPECT_EQ(opened.size(), 1u);

    // Timer2 fires once per run.
    u.Timer2Timer();
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(UpdatePanelsTest, AnUnreachableServerShowsItsMessageOnTheWindowsThread) {
    window->Updates().Config.Url =
        "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/u.txt";
    window->Updates().Timer2Timer();
    ASSERT_TRUE(WaitFor([&] { return Finished(); }, 10000));
    EXPECT_EQ(keys, std::vector<std::string>{"ccfuptds"});
    EXPECT_EQ(window->StatusPanel(0)->text(), "Checking for updates...");
    EXPECT_FALSE(Visible(window->Updates().UPanel()));
}

TEST_F(UpdatePanelsTest, TheWindowKeepsRunningWhileTheServerIsSlow) {
    std::ofstream(dir / "updts") << "5\n9\n";
    server.SetReply({200, "5\n10\n", 1500ms});
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    window->Updates().Timer2Timer();
    ASSERT_TRUE(WaitFor([&] { return Finished(); }, 10000));
    EXPECT_GT(ticks, 30) << "the event loop ran during the transfer";
    EXPECT_FALSE(Visible(window->Updates().UPanel()));
    EXPECT_TRUE(Visible(window->Updates().UTPanel()));
}

TEST_F(UpdatePanelsTest, ClearingTheOptionStopsTheCheckBeforeOrAfterItStarts) {
    server.SetReply({200, "5\n9\n", 0ms});
    allowed = false;
    window->Updates().Timer2Timer();
    EXPECT_EQ(window->Updates().Thread(), nullptr);

    allowed = true;
    window->Updates().Timer2Timer();
    ASSERT_NE(window->Updates().Thread(), nullptr);
    // Cleared before the worker asks again (its question waits for this thread).
    allowed = false;
    ASSERT_TRUE(WaitFor([&] { return Finished(); }, 10000));
    EXPECT_EQ(window->Updates().Thread()->Outcome(), UpdateCheckOutcome::NotAllowed);
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_TRUE(keys.empty());
}

TEST_F(UpdatePanelsTest, ClosingTheWindowDuringACheckDoesNotWaitForTheServer) {
    server.SetReply({200, "5\n9\n", 5s});
    window->Updates().Timer2Timer();
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 5000));
    const auto start = std::chrono::steady_clock::now();
    window.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

}  // namespace
}  // namespace tessaly
