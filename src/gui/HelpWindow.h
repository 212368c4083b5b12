// HelpWindow: the manual in a simple window of the program's own, for a
// desktop that has no browser to open it with. Qt's text browser shows the
// HTML manual with its pictures and follows its links.
#pragma once

#include <QDialog>
#include <string>

class QTextBrowser;

namespace tessaly {

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the manual file `path` (an HTML file).
    void ShowManual(const std::string& path);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace tessaly
