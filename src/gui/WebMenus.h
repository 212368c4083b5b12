// WebMenus: the Help menu (the manual, the maker's pages, the about box with
// its credits window) and the two e-mail commands of the File and eCover
// menus. Everything it opens goes to the desktop through the user port; the
// manual has a window of its own for a desktop without a browser.
#pragma once

#include <QObject>
#include <memory>
#include <string>

class QDialog;

namespace tessaly {

class MainWindow;
class AboutDialog;
class CreditsDialog;
class HelpWindow;

class WebMenus : public QObject {
    Q_OBJECT
  public:
    // Binds the menu items of `window` by their names.
    explicit WebMenus(MainWindow& window);
    ~WebMenus() override;

    // Start-up steps "creating about form" and "creating credits form".
    void CreateAboutForm();
    void CreateCreditsForm();
    AboutDialog* AboutForm() { return about_.get(); }
    CreditsDialog* CreditsForm() { return credits_.get(); }

    // The manual's first page beside the executable, in the language in use
    // where there is an edition of it.
    std::string HelpFile() const;
    // The program's own manual window, once a desktop without a browser made
    // it necessary.
    HelpWindow* HelpForm() { return help_.get(); }

    void HelpTopics1Click();
    void VisitHomepage1Click();
    void VisitFreeeCoverspage1Click();
    void VisitTutorialsPage1Click();
    void AboutTessaly1Click();
    // The picture is drawn at the size the options ask for (the size
    // dialog's last values, or the panel's size), without showing the
    // dialog, and always written as a bitmap, as its name says.
    void SendImagebyemail1Click();
    void SendeCoverbyemail1Click();

  private:
    void ShowModal(QDialog* dialog);

    MainWindow& window_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<CreditsDialog> credits_;
    std::unique_ptr<HelpWindow> help_;
};

}  // namespace tessaly
