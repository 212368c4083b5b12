#include "gui/WebMenus.h"

#include <QAction>
#include <QScopedValueRollback>
#include <filesystem>
#include <system_error>

#include "app/mail/MailCommands.h"
#include "app/web/Site.h"
#include "core/settings/SettingsFile.h"
#include "core/web/SiteAddresses.h"
#include "gui/AboutDialog.h"
#include "gui/CreditsDialog.h"
#include "gui/GlPanel.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/QtTranslations.h"
#include "gui/ShellDialogs.h"
#include "gui/SizeDialog.h"

namespace tessaly {

WebMenus::WebMenus(MainWindow& window) : QObject(&window), window_(window) {
    const std::pair<const char*, void (WebMenus::*)()> items[] = {
        {"HelpTopics1", &WebMenus::HelpTopics1Click},
        {"VisitHomepage1", &WebMenus::VisitHomepage1Click},
        {"VisitFreeeCoverspage1", &WebMenus::VisitFreeeCoverspage1Click},
        {"VisitTutorialsPage1", &WebMenus::VisitTutorialsPage1Click},
        {"AboutTessaly1", &WebMenus::AboutTessaly1Click},
        {"SendImagebyemail1", &WebMenus::SendImagebyemail1Click},
        {"SendeCoverbyemail1", &WebMenus::SendeCoverbyemail1Click},
    };
    for (const auto& [name, handler] : items) {
        QAction* action = window.findChild<QAction*>(name);
        if (!action) continue;
        const bool siteLink = std::string_view(name).rfind("Visit", 0) == 0;
        action->setEnabled(!siteLink || HasSite());
        connect(action, &QAction::triggered, this, [this, h = handler] { (this->*h)(); });
    }
}

WebMenus::~WebMenus() = default;

void WebMenus::CreateAboutForm() {
    about_ = std::make_unique<AboutDialog>(
        window_.Port(), [this] { ShowModal(credits_.get()); }, &window_);
    // The language files translate its captions.
    window_.Shell().Tree().AddWindow(about_.get());
}

void WebMenus::CreateCreditsForm() {
    credits_ = std::make_unique<CreditsDialog>(&window_);
    window_.Shell().Tree().AddWindow(credits_.get());
}

void WebMenus::ShowModal(QDialog* dialog) {
    if (!dialog) return;
    // The 3D view keeps being drawn behind a modal window.
    window_.SetPaintTimer(true);
    dialog->exec();
    window_.SetPaintTimer(false);
}

std::string WebMenus::HelpFile() const {
    // The manual in the language in use ("index.de.html") where there is
    // one, else the English one.
    const QString locale = QtTranslations::LocaleOf(window_.State().Session.LanguageFile);
    const std::string folder = window_.State().Session.Files.DataFile("Help/");
    if (!locale.isEmpty()) {
        const std::string own = folder + "index." + locale.toStdString() + ".html";
        std::error_code ec;
        if (std::filesystem::is_regular_file(own, ec)) return own;
    }
    return folder + "index.html";
}

void WebMenus::HelpTopics1Click() {
    const std::string manual = HelpFile();
    if (window_.Port().TryOpenDocument(manual)) return;
    // No browser: the manual in a window of our own.
    if (!help_) help_ = std::make_unique<HelpWindow>(&window_);
    help_->ShowManual(manual);
}

void WebMenus::VisitHomepage1Click() {
    window_.Port().OpenDocument(SitePage(kHomePagePath));
}

void WebMenus::VisitFreeeCoverspage1Click() {
    window_.Port().OpenDocument(SitePage(kTemplatesPagePath));
}

void WebMenus::VisitTutorialsPage1Click() {
    window_.Port().OpenDocument(SitePage(kTutorialsPagePath));
}

void WebMenus::AboutTessaly1Click() {
    ShowModal(about_.get());
}

void WebMenus::SendImagebyemail1Click() {
    SendByEmail(window_.State(), MailItem::Image, [this](const std::string& path) {
        const qreal ratio = window_.Panel()->devicePixelRatioF();
        int width = qRound(window_.Panel()->width() * ratio);
        int height = qRound(window_.Panel()->height() * ratio);
        const bool sameAsView =
            window_.State().Session.Settings.ReadValue(kCaptureKey) != kCapturePreferredSize;
        if (!sameAsView) {
            SizeDialog& size = window_.SizeForm();
            size.SetMaximum(width, height);
            width = size.ChosenWidth();
            height = size.ChosenHeight();
        }
        const QScopedValueRollback bitmap(window_.Port().CaptureFilterIndex, 1);
        return window_.CapturePicture(path, width, height);
    });
}

void WebMenus::SendeCoverbyemail1Click() {
    window_.MakeCurrent();
    tessaly::SendeCoverbyemail1Click(window_.State());
}

}  // namespace tessaly
