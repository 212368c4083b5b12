// ArtworkWatcher: live artwork. When the file of an image slot changes on
// disk (the user saved it from an editor), the slot reloads it by itself, as
// its Refresh button does. A change is taken once the file has kept its size
// and time for a moment and reads as a picture; a file still being written,
// or one that does not read yet, is looked at again a little later and is
// never shown half-loaded. Files the program wrote itself (opening a project,
// undo) are known to the history's current step and are not reloaded.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>

#include "app/history/CoverSnapshot.h"

namespace tessaly {

class MainState;

class ArtworkWatcher : public QObject {
    Q_OBJECT
  public:
    ArtworkWatcher(MainState& state, QObject* parent);

    // Watches the files the slots show now (after any change of a slot).
    void Rewatch();
    // Looks at the changed files now instead of at the next tick (tests).
    void CheckNow();

    // The file as the program last saw it (the history's current step);
    // set by the window.
    std::function<const CoverSnapshot*()> Known;
    // Before a reload (make the GL context current) and after it (history,
    // title).
    std::function<void()> BeforeReload;
    std::function<void()> AfterReload;

    int Reloads() const { return reloads_; }

  private:
    struct Pending {
        SlotFile last;
        int looks = 0;
    };
    void Changed(const QString& path);

    MainState& state_;
    QFileSystemWatcher watcher_;
    QTimer tick_;
    std::map<std::string, Pending> pending_;
    int reloads_ = 0;
};

}  // namespace tessaly
