// DropTargets: files dragged from a file manager onto the window. A picture
// dropped on a face's thumbnail or Select button (or the floor's, or a book
// image's) goes into that slot; one dropped on the rendering panel goes to
// the slot of the face under the pointer; a project or template dropped
// anywhere is opened. Only local files are taken; anything else is refused
// with a message.
#pragma once

#include <QObject>
#include <QPointF>
#include <QUrl>
#include <functional>
#include <optional>

#include "app/images/DroppedFiles.h"

class QWidget;

namespace tessaly {

class MainWindow;

class DropTargets : public QObject {
    Q_OBJECT
  public:
    explicit DropTargets(MainWindow& window);

    // Pictures dropped on `widget` go to the slot `slot` names at the time.
    void AddSlot(QWidget* widget, std::function<DropSlot()> slot);
    // Pictures dropped on the panel go to the face under the pointer.
    void AddPanel(QWidget* panel);
    // Projects and templates dropped on `widget` (the window) are opened.
    void AddWindow(QWidget* widget);

    // What a drop of `urls` does on `target` at `position` (the event
    // filter's work, callable by tests).
    void Drop(QWidget* target, const QList<QUrl>& urls, QPointF position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refuse(const std::string& key, const std::string& fallback, const std::string& detail);
    std::optional<DropSlot> SlotOf(QWidget* target, QPointF position) const;

    MainWindow& window_;
    std::map<QWidget*, std::function<DropSlot()>> slots_;
    QWidget* panel_ = nullptr;
};

}  // namespace tessaly
