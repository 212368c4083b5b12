#include "gui/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tessaly {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName("helpForm");
    setWindowTitle("Tessaly");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Links to the web go to the desktop, if it can; the manual's own pages
    // open here.
    browser_->setOpenExternalLinks(true);
    resize(640, 560);
}

void HelpWindow::ShowManual(const std::string& path) {
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    show();
    raise();
    activateWindow();
}

}  // namespace tessaly
