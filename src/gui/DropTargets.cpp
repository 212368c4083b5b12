#include "gui/DropTargets.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

#include "app/MainState.h"
#include "core/ui/UserPort.h"
#include "gui/MainWindow.h"

namespace tessaly {

DropTargets::DropTargets(MainWindow& window) : QObject(&window), window_(window) {}

void DropTargets::AddSlot(QWidget* widget, std::function<DropSlot()> slot) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
    slots_[widget] = std::move(slot);
}

void DropTargets::AddPanel(QWidget* panel) {
    panel->setAcceptDrops(true);
    panel->installEventFilter(this);
    panel_ = panel;
}

void DropTargets::AddWindow(QWidget* widget) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool DropTargets::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!drag->mimeData()->hasUrls()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasUrls()) return false;
            drop->acceptProposedAction();
            Drop(widget, drop->mimeData()->urls(), drop->position());
            return true;
        }
        default:
            return false;
    }
}

std::optional<DropSlot> DropTargets::SlotOf(QWidget* target, QPointF position) const {
    if (const auto it = slots_.find(target); it != slots_.end()) return it->second();
    if (target == panel_ && panel_) {
        const qreal ratio = panel_->devicePixelRatioF();
        return SlotAtPanel(window_.State(), static_cast<float>(position.x() * ratio),
                           static_cast<float>(position.y() * ratio),
                           qRound(panel_->width() * ratio), qRound(panel_->height() * ratio));
    }
    return std::nullopt;
}

void DropTargets::Refuse(const std::string& key, const std::string& fallback,
                         const std::string& detail) {
    window_.Port().ShowMessage(MessageKind::Information,
                               window_.Text(key, fallback) + (detail.empty() ? "" : "\n" + detail),
                               "", MessageButtons::Ok, key);
}

void DropTargets::Drop(QWidget* target, const QList<QUrl>& urls, QPointF position) {
    if (urls.isEmpty()) return;
    // One file a drop: a slot holds one picture, the window one project.
    const QUrl& url = urls.front();
    if (!url.isLocalFile()) {
        Refuse("dropnotlocal",
               "Only files on this computer can be dropped here. This was not taken:",
               url.toDisplayString().toStdString());
        return;
    }
    const QString local = url.toLocalFile();
    const std::string path = local.toStdString();
    if (!QFileInfo(local).isFile()) {
        Refuse("dropmissing", "This file was not found:", path);
        return;
    }
    switch (ClassifyDroppedFile(path)) {
        case DroppedKind::Project:
        case DroppedKind::Template:
            window_.OpenFile(path);
            return;
        case DroppedKind::Unknown:
            Refuse("dropunknown",
                   "Tessaly takes pictures, eCover projects (.eco) and templates (.tem). This file "
                   "was not taken:",
                   path);
            return;
        case DroppedKind::Picture:
            break;
    }
    const std::optional<DropSlot> slot = SlotOf(target, position);
    if (!slot) {
        Refuse("dropnoface", "Drop the picture on a face of the cover or on an image slot.", "");
        return;
    }
    window_.LoadPicture(*slot, path);
}

}  // namespace tessaly
