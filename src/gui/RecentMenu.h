// RecentMenu: File > Open Recent, the last projects and templates opened or
// saved (app/recent/RecentFiles), remembered in the settings file. Choosing
// one that no longer exists removes it from the list and says so.
#pragma once

#include <QObject>
#include <string>

#include "app/recent/RecentFiles.h"

class QAction;
class QMenu;

namespace tessaly {

class MainWindow;

class RecentMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the submenu to `fileMenu` before `before`.
    RecentMenu(MainWindow& window, QMenu* fileMenu, QAction* before);

    // Reads the list from the settings (after they are loaded).
    void Load();
    // A file was opened or saved: it goes first and the list is stored.
    void Add(const std::string& path);
    // Opens entry `index` of the list (what its menu item does).
    void OpenEntry(int index);

    const RecentFiles& Files() const { return files_; }
    QMenu* Menu() const { return menu_; }

  private:
    void Store();
    void Rebuild();

    MainWindow& window_;
    RecentFiles files_;
    QMenu* menu_ = nullptr;
};

}  // namespace tessaly
