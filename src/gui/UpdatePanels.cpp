#include "gui/UpdatePanels.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "app/web/Site.h"
#include "core/settings/SettingsFile.h"
#include "core/update/UpdateMarkers.h"
#include "core/web/SiteAddresses.h"
#include "gui/MainWindow.h"

namespace tessaly {

namespace {

struct PanelParts {
    const char* panel;
    int x, width;
    const char* line1;
    const char* line1Text;
    const char* line2;
    const char* yes;
    const char* no;
    // Named by the language files; it has no role of its own and is not shown.
    const char* spare;
};

QFrame* MakePanel(QWidget* view, const PanelParts& p) {
    auto* panel = new QFrame(view);
    panel->setObjectName(p.panel);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(p.x, 4, p.width, 90);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(2);
    auto* line1 = new QLabel(p.line1Text, panel);
    line1->setObjectName(p.line1);
    auto* line2 = new QLabel("Would you like to see them now ?", panel);
    line2->setObjectName(p.line2);
    layout->addWidget(line1);
    layout->addWidget(line2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {p.yes, p.no}) {
        auto* button = new QPushButton(name == p.yes ? "Yes" : "No", panel);
        button->setObjectName(name);
        buttons->addWidget(button);
    }
    auto* spare = new QPushButton(panel);
    spare->setObjectName(p.spare);
    spare->hide();
    layout->addLayout(buttons);
    panel->hide();
    return panel;
}

}  // namespace

// Runs the worker's calls on the window's thread. Each call is queued to
// the window's event loop and waited for; once the panels go away the
// waiting stops and the call answers with its fallback, so that a closing
// window never waits on a worker that waits on it.
class UpdatePanels::Bridge : public UpdateCheckUi {
  public:
    explicit Bridge(UpdatePanels& owner) : owner_(owner) {}

    std::atomic<bool> Closing{false};

    bool CheckAllowed() override {
        return OnWindowThread<bool>([this] { return owner_.Allowed && owner_.Allowed(); }, false);
    }
    std::string Text(const std::string& key) override {
        return OnWindowThread<std::string>([this, key] { return owner_.window_.Text(key, key); },
                                           key);
    }
    void SetStatus(const std::string& text, const std::string& key) override {
        OnWindowThread<bool>(
            [this, text, key] {
                if (key.empty())
                    owner_.window_.Port().SetStatusText(0, text);
                else
                    owner_.window_.Port().ShowStatus(0, text, key);
                return true;
            },
            false);
    }
    void ShowPanel(UpdatePanel panel) override {
        OnWindowThread<bool>(
            [this, panel] {
                owner_.ShowPanel(panel);
                return true;
            },
            false);
    }
    void ShowMessage(const std::string& text, const std::string& key) override {
        OnWindowThread<bool>(
            [this, text, key] {
                owner_.window_.Port().ShowMessage(MessageKind::Plain, text, "", MessageButtons::Ok,
                                                  key);
                return true;
            },
            false);
    }

  private:
    template <typename R, typename F>
    R OnWindowThread(F call, R fallback) {
        if (QThread::currentThread() == owner_.thread()) return call();
        struct Result {
            std::mutex mutex;
            std::condition_variable done;
            std::optional<R> value;
        };
        auto result = std::make_shared<Result>();
        // Queued to the panels' object: if it is destroyed first, Qt drops
        // the call and the wait below ends on the closing flag.
        QMetaObject::invokeMethod(
            &owner_,
            [result, call] {
                R value = call();
                std::lock_guard lock(result->mutex);
                result->value = std::move(value);
                result->done.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(result->mutex);
        while (!result->value) {
            if (Closing) return fallback;
            result->done.wait_for(lock, std::chrono::milliseconds(20));
        }
        return *result->value;
    }

    UpdatePanels& owner_;
};

UpdatePanels::UpdatePanels(MainWindow& window, QWidget* view, int delayMs)
    : QObject(&window), window_(window), bridge_(std::make_unique<Bridge>(*this)) {
    uPanel_ = MakePanel(view, {"UPanel", 4, 242, "UL1", "There are updates available.", "UL2",
                               "BYes", "BNo", "Button2"});
    utPanel_ =
        MakePanel(view, {"UTPanel", 250, 250, "Label74", "There are new tutorials available.",
                         "Label85", "BitBtn29", "BitBtn30", "Button4"});
    auto bind = [this](QFrame* panel, const char* name, void (UpdatePanels::*handler)()) {
        connect(panel->findChild<QPushButton*>(name), &QPushButton::clicked, this,
                [this, handler] { (this->*handler)(); });
    };
    bind(uPanel_, "BYes", &UpdatePanels::BYesClick);
    bind(uPanel_, "BNo", &UpdatePanels::BNoClick);
    bind(utPanel_, "BitBtn29", &UpdatePanels::BitBtn29Click);
    bind(utPanel_, "BitBtn30", &UpdatePanels::BitBtn30Click);

    Config.MarkerFile = window.State().Session.Files.UpdateMarkers;
    Config.Url = SitePage(kUpdateFilePath);
    Allowed = [&window] {
        return window.State().Session.Settings.ReadValue(kUpdateCheckKey) == kSettingOn;
    };

    Timer2.setSingleShot(true);
    connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    if (delayMs >= 0) Timer2.start(delayMs);
}

UpdatePanels::~UpdatePanels() {
    bridge_->Closing = true;
    thread_.reset();  // cancels and joins
}

void UpdatePanels::Timer2Timer() {
    Timer2.stop();
    // Without a site there is nothing to fetch.
    if (thread_ || Config.Url.empty() || !Allowed || !Allowed()) return;
    thread_ = std::make_unique<CheckThread>(Config, *bridge_);
}

void UpdatePanels::ShowPanel(UpdatePanel panel) {
    QFrame* frame = panel == UpdatePanel::Templates ? uPanel_ : utPanel_;
    frame->show();
    frame->raise();
}

void UpdatePanels::BYesClick() {
    window_.Port().OpenDocument(SitePage(kTemplatesPagePath));
    uPanel_->hide();
}

void UpdatePanels::BNoClick() {
    uPanel_->hide();
}

void UpdatePanels::BitBtn29Click() {
    window_.Port().OpenDocument(SitePage(kTutorialsPagePath));
    utPanel_->hide();
}

void UpdatePanels::BitBtn30Click() {
    utPanel_->hide();
}

}  // namespace tessaly
