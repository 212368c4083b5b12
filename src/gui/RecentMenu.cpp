#include "gui/RecentMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/MainState.h"
#include "core/ui/UserPort.h"
#include "gui/MainWindow.h"

namespace tessaly {

RecentMenu::RecentMenu(MainWindow& window, QMenu* fileMenu, QAction* before)
    : QObject(&window), window_(window) {
    menu_ = new QMenu(QStringLiteral("Open Recent"), fileMenu);
    menu_->setObjectName("OpenRecentMenu");
    fileMenu->insertMenu(before, menu_);
    connect(menu_, &QMenu::aboutToShow, this, [this] { Rebuild(); });
    Rebuild();
}

void RecentMenu::Load() {
    files_.Load(window_.State().Session.Settings);
    Rebuild();
}

void RecentMenu::Add(const std::string& path) {
    files_.Add(path);
    Store();
}

void RecentMenu::Store() {
    try {
        files_.Save(window_.State().Session.Settings);
    } catch (const std::exception&) {
        // A settings file that cannot be written keeps the list for this run.
    }
    // Not at once: the item being chosen may be the one that goes.
    QMetaObject::invokeMethod(
        this, [this] { Rebuild(); }, Qt::QueuedConnection);
}

void RecentMenu::Rebuild() {
    menu_->clear();
    const auto& files = files_.Files();
    menu_->setEnabled(!files.empty());
    for (int i = 0; i < static_cast<int>(files.size()); ++i) {
        const QString path = QString::fromStdString(files[static_cast<std::size_t>(i)]);
        // "&1 name" with the number as the key; the whole path as the tip.
        QAction* action = menu_->addAction(
            QStringLiteral("&%1  %2").arg(i == 9 ? 0 : i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, i] { OpenEntry(i); });
    }
    menu_->setToolTipsVisible(true);
}

void RecentMenu::OpenEntry(int index) {
    const auto& files = files_.Files();
    if (index < 0 || index >= static_cast<int>(files.size())) return;
    const std::string path = files[static_cast<std::size_t>(index)];
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        files_.Remove(path);
        Store();
        window_.Port().ShowMessage(
            MessageKind::Information,
            window_.Text("recentmissing",
                         "This file is no longer there and was taken off the list:") +
                "\n" + path,
            "", MessageButtons::Ok, "recentmissing");
        return;
    }
    window_.OpenFile(path);
}

}  // namespace tessaly
