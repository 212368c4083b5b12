#include "gui/ArtworkWatcher.h"

#include <QFileInfo>

#include "app/MainState.h"
#include "core/images/PictureReader.h"

namespace tessaly {

namespace {
// How often a changed file is looked at, and for how long at most.
constexpr int kTickMs = 250;
constexpr int kMaxLooks = 40;
}  // namespace

ArtworkWatcher::ArtworkWatcher(MainState& state, QObject* parent) : QObject(parent), state_(state) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { Changed(path); });
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, [this] { CheckNow(); });
}

void ArtworkWatcher::Rewatch() {
    QStringList wanted;
    for (int k = 0; k < kSnapshotSlots; ++k) {
        const QString path = QString::fromStdString(SnapshotSlotPath(state_, k));
        if (!path.isEmpty() && QFileInfo(path).isFile() && !wanted.contains(path)) wanted << path;
    }
    const QStringList watched = watcher_.files();
    for (const QString& path : watched)
        if (!wanted.contains(path)) watcher_.removePath(path);
    for (const QString& path : wanted)
        if (!watched.contains(path)) watcher_.addPath(path);
}

void ArtworkWatcher::Changed(const QString& path) {
    const std::string file = path.toStdString();
    auto& pending = pending_[file];
    pending.last = StampFile(file);
    pending.looks = 0;
    if (!tick_.isActive()) tick_.start();
}

void ArtworkWatcher::CheckNow() {
    const CoverSnapshot* known = Known ? Known() : nullptr;
    for (auto it = pending_.begin(); it != pending_.end();) {
        const std::string path = it->first;
        Pending& pending = it->second;
        const SlotFile now = StampFile(path);
        // Still being written (or gone for a moment while an editor replaces
        // it): look again at the next tick.
        const bool settled = now.Exists && now.SameAs(pending.last);
        pending.last = now;
        if (!settled) {
            it = ++pending.looks > kMaxLooks ? pending_.erase(it) : std::next(it);
            continue;
        }
        bool readable = true;
        try {
            (void)ReadPicture(path);
        } catch (const std::exception&) {
            readable = false;
        }
        if (!readable) {
            it = ++pending.looks > kMaxLooks ? pending_.erase(it) : std::next(it);
            continue;
        }
        for (int k = 0; k < kSnapshotSlots; ++k) {
            if (SnapshotSlotPath(state_, k) != path) continue;
            // Written by the program itself: the history has it already.
            if (known && known->Files[k].SameAs(now)) continue;
            if (BeforeReload) BeforeReload();
            ReloadSnapshotSlot(state_, k);
            ++reloads_;
            if (AfterReload) AfterReload();
        }
        it = pending_.erase(it);
    }
    if (pending_.empty()) tick_.stop();
    // An editor that saves by replacing the file ends the old watch.
    Rewatch();
}

}  // namespace tessaly
